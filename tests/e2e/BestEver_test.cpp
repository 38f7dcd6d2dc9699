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
constexpr e2e::Region kMostLine{0, 10, 360, 30};     // "Most Splatter Per Stomp: N", above its descenders
constexpr e2e::Region kBestEverLine{0, 63, 160, 21}; // "Best Ever: N", between the line above and the skyline

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
  game.enterGame();
  mostAtStart = game.grab(kMostLine);
  bestEverAtStart = game.grab(kBestEverLine);
  ASSERT_TRUE(game.stompUntilChanged(kMostLine)) << "no stomp changed the score";
  game.kill();  // with the record on screen: no exit path runs
  EXPECT_EQ(game.errors().find("Stompalong:"), std::string::npos) << game.errors();

  // A whole record: one count and its newline, and no temporary file beside it
  // (its lock file is all).
  std::string text = testfiles::readText(file);
  ASSERT_FALSE(text.empty()) << "no record was written before the kill";
  int record = std::atoi(text.c_str());
  EXPECT_GE(record, 1);
  EXPECT_EQ(text, std::to_string(record) + "\n");
  int filesBeside = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(file.parent_path())) ++filesBeside;
  EXPECT_EQ(filesBeside, 2);
  EXPECT_TRUE(fs::exists(file.parent_path() / ".best-stomp.lock"));

  // The next start: the same corner as before, with the record on the third line.
  e2e::GameProcess next(dir.path(), env);
  ASSERT_TRUE(next.waitForFirstFrame()) << next.report();
  next.enterGame();
  EXPECT_FALSE(e2e::differs(mostAtStart, next.grab(kMostLine))) << "the score corner differs between runs";
  EXPECT_TRUE(e2e::differs(bestEverAtStart, next.grab(kBestEverLine))) << "Best Ever does not show the record";
  EXPECT_TRUE(next.alive()) << next.report();
  next.kill();
  EXPECT_EQ(next.errors().find("Stompalong:"), std::string::npos) << next.errors();
}
