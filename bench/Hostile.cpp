// stompalong-hostile: the game against hostile pictures and fonts. For each case
// it copies ./res/ to a scratch folder, swaps in the hostile files, starts the
// game there and closes its window the way a window manager does as soon as the
// window shows; the game handles that only once its start-up is over. It prints
// the game's peak resident memory and the time from start to exit. Then it times
// 60 requests for each failing picture, as the 60 victims of a wave make them.
// Usage, from the repository root under an X server:
//   build/stompalong-hostile build/stompalong
#include <GL/freeglut.h>
#include <X11/Xlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/Assets.h"
#include "media/Texture.h"
#include "support/Hostile.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr double kGiveUpSeconds = 300;
constexpr int kWave = 60;  // victims per wave, each asking for its pictures
constexpr size_t kCutBytes = 206;  // of a PNG bomb: its header and the start of its data

// Where one of the game's files lies in a copy of res/.
fs::path resourcePath(const fs::path& res, const char* asset) { return res / assets::underResourceDir(asset); }

void writeTgaHeader(const fs::path& res, uint8_t type, int side) {
  hostile::writeTgaHeaderOnly(resourcePath(res, assets::kShadow), type, side, 32);
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

struct Case {
  const char* name;
  std::function<void(const fs::path& res)> spoil;
};

std::vector<Case> cases(const fs::path& bombs) {
  auto pngEverywhere = [bombs](const char* bomb) {
    return [bombs, bomb](const fs::path& res) {
      for (const char* picture : allPictures()) fs::copy_file(bombs / bomb, resourcePath(res, picture), fs::copy_options::overwrite_existing);
    };
  };
  return {
      {"unchanged", [](const fs::path&) {}},
      {"shadow_tga_32767_no_data", [](const fs::path& res) { writeTgaHeader(res, 2, 32767); }},
      {"shadow_tga_32767_rle_no_data", [](const fs::path& res) { writeTgaHeader(res, 10, 32767); }},
      {"shadow_tga_16384_no_data", [](const fs::path& res) { writeTgaHeader(res, 2, 16384); }},
      {"shadow_tga_4096_grey_no_data", [](const fs::path& res) { hostile::writeTgaHeaderOnly(resourcePath(res, assets::kShadow), 3, 4096, 8); }},
      {"victim_pngs_8192_cut_206_bytes", [bombs](const fs::path& res) {
         for (const char* p : {assets::kVictimHead, assets::kVictimBody, assets::kVictimArm, assets::kSplatter})
           hostile::writeCutCopy(bombs / "bomb8192.png", resourcePath(res, p), kCutBytes);
       }},
      {"floor_png_bomb_8192", [bombs](const fs::path& res) { fs::copy_file(bombs / "bomb8192.png", resourcePath(res, assets::kFloor), fs::copy_options::overwrite_existing); }},
      {"every_png_bomb_8192_tga_32767", [=](const fs::path& res) {
         pngEverywhere("bomb8192.png")(res);
         writeTgaHeader(res, 10, 32767);
       }},
      {"every_png_bomb_4096", pngEverywhere("bomb4096.png")},
      {"font_giant_glyphs", [](const fs::path& res) { hostile::makeGlyphsGiant(resourcePath(res, assets::kFont)); }},
  };
}

Display* display() {
  static Display* d = XOpenDisplay(nullptr);
  return d;
}

std::string capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  return out;
}

void askToClose(unsigned long window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
  XSendEvent(display(), window, False, NoEventMask, &event);
  XFlush(display());
}

// Runs the game in dir until it ends; prints its peak memory, time and exit status.
void runGame(const std::string& game, const fs::path& dir, const char* name) {
  auto start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    std::freopen("/dev/null", "w", stdout);
    execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  bool closing = false;
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, WNOHANG, &usage) == 0) {
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seconds > kGiveUpSeconds) kill(pid, SIGKILL);
    if (!closing) {
      std::string id = capture("xdotool search --onlyvisible --pid " + std::to_string(pid) + " --name '^Game$' 2>/dev/null");
      if (!id.empty()) {
        askToClose(std::stoul(id));
        closing = true;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  int exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::printf("%-32s peak_rss_mb %7.0f  start_to_exit_s %6.2f  status %d\n", name, usage.ru_maxrss / 1024.0, seconds, exit);
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
  const std::string game = fs::absolute(argv[1]);
  const fs::path scratch = fs::temp_directory_path() / ("stompalong-hostile-" + std::to_string(getpid()));
  const fs::path bombs = scratch / "bombs";
  fs::create_directories(bombs);
  hostile::writePngBomb(bombs / "bomb8192.png", 8192);
  hostile::writePngBomb(bombs / "bomb4096.png", 4096);
  std::printf("bomb8192.png %ju bytes, bomb4096.png %ju bytes\n", fs::file_size(bombs / "bomb8192.png"),
              fs::file_size(bombs / "bomb4096.png"));
  std::fflush(stdout);  // before the game's processes are forked with a copy of the buffer

  for (const Case& c : cases(bombs)) {
    fs::path dir = scratch / c.name;
    fs::create_directories(dir);
    fs::copy(assets::kResourceDir, dir / "res", fs::copy_options::recursive);
    c.spoil(dir / "res");
    runGame(game, dir, c.name);
    fs::remove_all(dir);
  }

  glutInit(&argc, argv);
  glutCreateWindow("hostile");
  hostile::writeTgaHeaderOnly(scratch / "grey4096.tga", 3, 4096, 8);
  hostile::writeCutCopy(bombs / "bomb8192.png", scratch / "cut8192.png", kCutBytes);
  hostile::writeCutCopy(bombs / "bomb4096.png", scratch / "cut4096.png", kCutBytes);
  for (const char* name : {"grey4096.tga", "cut8192.png", "cut4096.png"}) {
    double ms = waveOfRequests(scratch / name);
    std::printf("\n%-32s wave_of_%d_requests_ms %.1f\n", name, kWave, ms);
  }
  fs::remove_all(scratch);
  return 0;
}
