// stompalong-hostile: the game against hostile pictures and fonts. For each case
// it copies ./res/ to a scratch folder, swaps in the hostile files, starts the
// game there, waits for its first frame, reads its peak resident memory and
// closes its window the way a window manager does. It prints that memory and
// the time from start to exit. Then it times 60 requests for each failing
// picture, as the 60 victims of a wave make them.
// Usage, from the repository root under an X server:
//   build/stompalong-hostile build/stompalong
#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "media/Texture.h"
#include "support/GameProcess.h"
#include "support/Hostile.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr double kGiveUpSeconds = 300;
constexpr int kWave = 60;  // victims per wave, each asking for its pictures
constexpr size_t kCutBytes = 206;  // of a PNG bomb: its header and the start of its data

void writeTgaHeader(const fs::path& dir, uint8_t type, int side) {
  hostile::writeTgaHeaderOnly(dir / assets::kShadow, type, side, 32);
}

std::vector<const char*> allPictures() {
  std::vector<const char*> pictures(std::begin(assets::kSlides), std::end(assets::kSlides));
  for (const char* p : {assets::kVictimHead, assets::kVictimBody, assets::kVictimArm, assets::kSplatter,
                        assets::kFloor, assets::kPadIndicator})
    pictures.push_back(p);
  pictures.insert(pictures.end(), std::begin(assets::kSkylines), std::end(assets::kSkylines));
  pictures.insert(pictures.end(), std::begin(assets::kFeet), std::end(assets::kFeet));
  return pictures;  // every PNG; the shadow is the one TGA
}

// Each case spoils the copy of res/ in the game's work folder.
struct Case {
  const char* name;
  std::function<void(const fs::path& dir)> spoil;
};

std::vector<Case> cases(const fs::path& bombs) {
  auto pngEverywhere = [bombs](const char* bomb) {
    return [bombs, bomb](const fs::path& dir) {
      for (const char* picture : allPictures()) fs::copy_file(bombs / bomb, dir / picture, fs::copy_options::overwrite_existing);
    };
  };
  return {
      {"unchanged", [](const fs::path&) {}},
      {"shadow_tga_32767_no_data", [](const fs::path& dir) { writeTgaHeader(dir, 2, 32767); }},
      {"shadow_tga_32767_rle_no_data", [](const fs::path& dir) { writeTgaHeader(dir, 10, 32767); }},
      {"shadow_tga_16384_no_data", [](const fs::path& dir) { writeTgaHeader(dir, 2, 16384); }},
      {"shadow_tga_4096_grey_no_data", [](const fs::path& dir) { hostile::writeTgaHeaderOnly(dir / assets::kShadow, 3, 4096, 8); }},
      {"victim_pngs_8192_cut_206_bytes", [bombs](const fs::path& dir) {
         for (const char* p : {assets::kVictimHead, assets::kVictimBody, assets::kVictimArm, assets::kSplatter})
           hostile::writeCutCopy(bombs / "bomb8192.png", dir / p, kCutBytes);
       }},
      {"floor_png_bomb_8192", [bombs](const fs::path& dir) { fs::copy_file(bombs / "bomb8192.png", dir / assets::kFloor, fs::copy_options::overwrite_existing); }},
      {"every_png_bomb_8192_tga_32767", [=](const fs::path& dir) {
         pngEverywhere("bomb8192.png")(dir);
         writeTgaHeader(dir, 10, 32767);
       }},
      {"every_png_bomb_4096", pngEverywhere("bomb4096.png")},
      {"font_giant_glyphs", [](const fs::path& dir) { hostile::makeGlyphsGiant(dir / assets::kFont); }},
  };
}

// Runs the game on a spoilt copy of res/ until it ends; prints its peak memory,
// time and exit status.
void runGame(const Case& c) {
  testfiles::TempDir dir = e2e::copyOfResources("hostile-bench");
  c.spoil(dir.path());
  std::fflush(stdout);  // the game's process is forked with a copy of the buffer
  auto start = Clock::now();
  e2e::GameProcess game(std::move(dir), {e2e::kNoLeakCheckAtExit});  // closed: ends through exit
  double peak = -1;  // none read when the game ended before its first frame
  if (game.waitForFirstFrame(kGiveUpSeconds)) {
    peak = game.peakResidentMegabytes();
    game.close();
  }
  int status = game.waitForExit(kGiveUpSeconds);
  if (status == -1) {
    game.kill();
    status = game.waitForExit(0);
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%-32s peak_rss_mb %7.0f  start_to_exit_s %6.2f  status %d\n", c.name, peak, seconds, status);
  if (status != 0) std::fprintf(stderr, "%s: %s\n", c.name, game.report().c_str());
  std::fflush(stdout);
}

// Milliseconds for a wave's requests of one failing picture.
double waveOfRequests(const std::string& path) {
  auto start = Clock::now();
  for (int i = 0; i < kWave; ++i) TextureRegistry::instance().getTexture(path, 0);
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s GAME_BINARY (from the repository root, under an X server)\n", argv[0]);
    return 2;
  }
  setenv("STOMPALONG_BIN", argv[1], 1);  // the game GameProcess starts
  const testfiles::TempDir scratch("hostile-bench");
  const fs::path bombs = scratch.path();
  hostile::writePngBomb(bombs / "bomb8192.png", 8192);
  hostile::writePngBomb(bombs / "bomb4096.png", 4096);
  std::printf("bomb8192.png %ju bytes, bomb4096.png %ju bytes\n", fs::file_size(bombs / "bomb8192.png"),
              fs::file_size(bombs / "bomb4096.png"));

  for (const Case& c : cases(bombs)) runGame(c);

  glutInit(&argc, argv);
  glutCreateWindow("hostile");
  hostile::writeTgaHeaderOnly(scratch / "grey4096.tga", 3, 4096, 8);
  hostile::writeCutCopy(bombs / "bomb8192.png", scratch / "cut8192.png", kCutBytes);
  hostile::writeCutCopy(bombs / "bomb4096.png", scratch / "cut4096.png", kCutBytes);
  for (const char* name : {"grey4096.tga", "cut8192.png", "cut4096.png"}) {
    double ms = waveOfRequests(scratch / name);
    std::printf("\n%-32s wave_of_%d_requests_ms %.1f\n", name, kWave, ms);
  }
  return 0;
}
