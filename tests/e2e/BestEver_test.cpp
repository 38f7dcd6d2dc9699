// The best stomp of all runs, kept by the real game: the record is on disk as
// soon as the screen shows it, a kill right after leaves the whole file, and
// the next start shows it as Best Ever.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "game/BestStomp.h"
#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace {

// Regions of the score corner, rows from the window's top. Above the horizon
// only sky and text are drawn there once the feet have risen away.
struct Region {
  int x, y, width, height;
};
constexpr Region kMostLine{0, 10, 360, 30};     // "Most Splatter Per Stomp: N", above its descenders
constexpr Region kBestEverLine{0, 63, 160, 21}; // "Best Ever: N", between the line above and the skyline
constexpr double kFeetGone = 2.0;               // game seconds: planted at most 1, rising 0.5

std::vector<uint8_t> grab(e2e::GameProcess& game, const Region& r) { return game.grab(r.x, r.y, r.width, r.height); }

// Through the four slides, then time for the first wave to land.
void enterGame(e2e::GameProcess& game) {
  game.stepThroughSlides();
  game.play(2.0);
}

}  // namespace

TEST(BestEver, ARecordOutlivesAKillAndShowsOnTheNextStart) {
  testfiles::TempDir dir = e2e::copyOfResources("best-ever");  // both games run in it
  std::string dataHome = dir / "data";
  setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
  const fs::path file = BestStompFile::playerFile();
  ASSERT_EQ(file.string().rfind(dataHome, 0), 0u) << file;
  const std::vector<std::string> env = {"XDG_DATA_HOME=" + dataHome};

  std::vector<uint8_t> mostAtStart, bestEverAtStart;
  e2e::GameProcess game(dir.path(), env);
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  enterGame(game);
  mostAtStart = grab(game, kMostLine);
  bestEverAtStart = grab(game, kBestEverLine);
  bool scored = false;
  for (int round = 0; round < 25 && !scored && game.alive(); ++round) {
    for (const char* square : {"q", "w", "e", "a", "d", "z", "x", "c"}) game.key(square);
    game.play(kFeetGone);
    scored = e2e::differs(mostAtStart, grab(game, kMostLine));
  }
  ASSERT_TRUE(scored) << "no stomp changed the score";
  game.kill();  // with the record on screen: no exit path runs
  EXPECT_EQ(game.errors().find("Stompalong:"), std::string::npos) << game.errors();

  // A whole record: one count and its newline, and no temporary file beside it.
  std::string text = testfiles::readText(file);
  ASSERT_FALSE(text.empty()) << "no record was written before the kill";
  int record = std::atoi(text.c_str());
  EXPECT_GE(record, 1);
  EXPECT_EQ(text, std::to_string(record) + "\n");
  int filesBeside = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(file.parent_path())) ++filesBeside;
  EXPECT_EQ(filesBeside, 1);

  // The next start: the same corner as before, with the record on the third line.
  e2e::GameProcess next(dir.path(), env);
  ASSERT_TRUE(next.waitForFirstFrame()) << next.report();
  enterGame(next);
  EXPECT_FALSE(e2e::differs(mostAtStart, grab(next, kMostLine))) << "the score corner differs between runs";
  EXPECT_TRUE(e2e::differs(bestEverAtStart, grab(next, kBestEverLine))) << "Best Ever does not show the record";
  EXPECT_TRUE(next.alive()) << next.report();
  next.kill();
  EXPECT_EQ(next.errors().find("Stompalong:"), std::string::npos) << next.errors();
}
