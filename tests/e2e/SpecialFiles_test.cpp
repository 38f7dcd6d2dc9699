// The real game with no plain file where it reads one: a FIFO at each kind of
// path, /dev/zero and /dev/urandom behind sounds and the music, and its font
// cut short and rewritten over and over while games start. Nothing hangs it,
// grows it without end or kills it: a picture or a sound is just missing, the
// player's files count as unreadable, and only the font stops the start, with
// one line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "core/Assets.h"
#include "support/GameProcess.h"

namespace {

namespace fs = std::filesystem;

constexpr double kStartSeconds = 5;
constexpr double kMostMegabytes = 400;

// The time a game with special files may take to start: 5 seconds, or on a
// machine so busy that an ordinary start takes over 2 seconds, two and a half
// times that. A game that waits on a FIFO never starts at all.
double startLimit() {
  static const double limit = [] {
    testfiles::TempDir dir = e2e::copyOfResources("ordinary");
    auto begin = std::chrono::steady_clock::now();
    e2e::GameProcess game(dir.path());
    if (!game.waitForFirstFrame()) return kStartSeconds;  // the cases below say what is wrong
    return std::max(kStartSeconds, 2.5 * std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
  }();
  return limit;
}

void replace(const fs::path& file, const std::function<void(const fs::path&)>& make) {
  fs::remove(file);
  fs::create_directories(file.parent_path());
  make(file);
}

void fifo(const fs::path& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0) << file; }

}  // namespace

TEST(SpecialFiles, AFifoAtAnyPathTheGameReadsNeverHangsIt) {
  const double limit = startLimit();  // before any game of the test: one game runs at a time
  const std::pair<const char*, std::vector<std::string>> places[] = {
      {"pads.txt", {"config/stompalong/pads.txt"}}, {"best-stomp", {"data/stompalong/best-stomp"}},
      {"a picture", {assets::kSlides[0]}},          {"a sound", {assets::kCheers[0]}},
      {"the music", {assets::kIntroClip, assets::kLoopClip}}, {"the font", {assets::kFont}}};
  for (const auto& [what, files] : places) {
    SCOPED_TRACE(what);
    testfiles::TempDir dir = e2e::copyOfResources("fifo");
    for (const std::string& file : files) replace(dir.path() / file, fifo);
    const bool font = files[0] == assets::kFont;
    std::vector<std::string> env = {"XDG_CONFIG_HOME=" + (dir.path() / "config").string(),
                                    "XDG_DATA_HOME=" + (dir.path() / "data").string()};
    if (font) env.push_back(e2e::kNoLeakCheckAtExit);  // it ends through exit
    e2e::GameProcess game(std::move(dir), env);
    if (font) {
      ASSERT_EQ(game.waitForExit(limit), 1) << game.report();
      e2e::expectOneLineExit(game, {std::string("cannot load the font ") + assets::kFont, ": not a regular file"});
      continue;
    }
    ASSERT_TRUE(game.waitForFirstFrame(limit)) << limit << " s; " << game.report();
    game.stepThroughSlides();  // the music opens at the third slide and in the game
    EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 20)) << "not on the game screen";
    game.key("q");  // a record, written past a FIFO at best-stomp
    EXPECT_TRUE(game.alive()) << game.report();
  }
}

TEST(SpecialFiles, SoundsAndMusicWithoutEndAreRefusedInBoundedMemory) {
  const double limit = startLimit();
  testfiles::TempDir dir = e2e::copyOfResources("endless");
  for (const char* file : {assets::kSquishes[0], assets::kCheers[0], assets::kIntroClip, assets::kLoopClip})
    replace(dir.path() / file, [](const fs::path& link) { fs::create_symlink("/dev/zero", link); });
  replace(dir.path() / assets::kExplosions[0], [](const fs::path& link) { fs::create_symlink("/dev/urandom", link); });
  // The sanitizer's quarantine of freed memory, which a plain build does not
  // have, is kept small: what is measured is what the game holds.
  e2e::GameProcess game(std::move(dir), {"ASAN_OPTIONS=quarantine_size_mb=16"});
  ASSERT_TRUE(game.waitForFirstFrame(limit)) << limit << " s; " << game.report();
  game.enterGame();
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 20)) << "not on the game screen";
  ASSERT_TRUE(game.alive()) << game.report();
  EXPECT_LT(game.peakResidentMegabytes(), kMostMegabytes);
}

// FreeType read the font through a memory map, and a file that shrank under it
// killed the game with SIGBUS (under the sanitizer: a report of many lines and
// status 1). Each game plays, or stops with the font's one line.
TEST(SpecialFiles, AFontRewrittenWhileGamesStartNeverKillsThem) {
  testfiles::TempDir dir = e2e::fontOnly("font-race");
  const fs::path font = dir.path() / assets::kFont;
  const std::vector<uint8_t> bytes = testfiles::readBytes(font);
  std::atomic<bool> done = false;
  std::thread rewriter([&] {
    using std::chrono::milliseconds;
    while (!done) {
      std::ofstream out(font, std::ios::binary | std::ios::trunc);  // cut to nothing, then written anew
      for (size_t at = 0; at < bytes.size(); at += 4096) {
        out.write(reinterpret_cast<const char*>(&bytes[at]), std::min<std::streamsize>(4096, bytes.size() - at)).flush();
        std::this_thread::sleep_for(milliseconds(1));
      }
      out.close();
      std::this_thread::sleep_for(milliseconds(10));  // whole for a while
    }
  });
  int played = 0, stopped = 0;
  for (int start = 0; start < 8; ++start) {
    e2e::GameProcess game(dir.path(), {e2e::kNoLeakCheckAtExit});
    if (game.waitForFirstFrame(30)) {
      ++played;
      continue;
    }
    int status = game.waitForExit(10);
    if (status == 1) ++stopped;
    EXPECT_EQ(status, 1) << "start " << start << ": " << game.report();
    if (status == 1) e2e::expectOneLineExit(game, {std::string("cannot load the font ") + assets::kFont});
  }
  done = true;
  rewriter.join();
  EXPECT_EQ(played + stopped, 8);
}
