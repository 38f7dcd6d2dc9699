// The best stomp of all runs: read at the start, written the moment a record
// is set, and bad or missing files never stop the game.
#include <filesystem>

#include "game/WorldFixture.h"
#include "support/Files.h"

namespace worldtest {
namespace {

namespace fs = std::filesystem;

// The game's own lines in what was printed (the keyboard's test seam adds freeglut's).
int lines(const std::string& text) {
  int count = 0;
  for (size_t at = text.find("Stompalong: "); at != std::string::npos; at = text.find("Stompalong: ", at + 1)) ++count;
  return count;
}

class BestStompTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    file = folder / "stompalong" / "best-stomp";
    addWalker(14.9f, -14.9f);  // a bystander far off keeps the wave from ending
  }

  // Attaches the record file, with what the world printed while reading it.
  std::string keepBestEver(const fs::path& where) {
    testing::internal::CaptureStderr();
    world.keepBestEverIn(where);
    return testing::internal::GetCapturedStderr();
  }

  // One stomp on the top-left square that squashes exactly `victims` walkers in a row.
  void stomp(int victims) {
    for (int i = 0; i < victims; ++i) addWalker(-9 + 0.5f * i, 9);
    press({'q'});
    release({'q'});
    ASSERT_EQ(world.lastStomp(), victims);
  }

  testfiles::TempDir temp{"best-stomp"};
  fs::path folder = temp.path();
  fs::path file;
};

TEST_F(BestStompTest, AMissingFileStartsAtZeroAndARecordIsOnDiskAtOnce) {
  EXPECT_EQ(keepBestEver(file), "");
  EXPECT_EQ(world.bestEver(), 0);
  EXPECT_FALSE(fs::exists(file.parent_path()));  // nothing is written before a record
  stomp(2);
  EXPECT_EQ(testfiles::readText(file), "2\n");  // right after the frame, with the game still running
  EXPECT_EQ(world.bestEver(), 2);
}

TEST_F(BestStompTest, RecordsInOneRunLeaveTheLargest) {
  keepBestEver(file);
  stomp(2);
  stomp(4);
  stomp(3);
  EXPECT_EQ(testfiles::readText(file), "4\n");
  EXPECT_EQ(world.bestEver(), 4);
  EXPECT_EQ(world.mostPerStomp(), 4);
}

TEST_F(BestStompTest, TheStoredBestStandsUntilALargerStomp) {
  testfiles::writeText(file, "5\n");
  keepBestEver(file);
  EXPECT_EQ(world.bestEver(), 5);
  stomp(3);
  EXPECT_EQ(world.mostPerStomp(), 3);  // the run's own best is counted apart
  EXPECT_EQ(world.bestEver(), 5);
  EXPECT_EQ(testfiles::readText(file), "5\n");
  stomp(6);
  EXPECT_EQ(testfiles::readText(file), "6\n");
}

TEST_F(BestStompTest, ALargerRecordFromAnotherRunIsNeverOverwrittenAndShowsFromThenOn) {
  keepBestEver(file);
  stomp(2);
  testfiles::writeText(file, "9\n");  // another copy of the game, played meanwhile
  stomp(3);
  EXPECT_EQ(world.bestEver(), 9);
  EXPECT_EQ(world.mostPerStomp(), 3);
  EXPECT_EQ(testfiles::readText(file), "9\n");
}

TEST_F(BestStompTest, FileContents) {
  struct Case {
    std::string text;
    int best;  // what the world reads; a file it cannot use also gives one line
    bool usable;
  };
  const Case cases[] = {
      {"7", 7, true},       {"7\r\n", 7, true},   {"0\n", 0, true},
      {"", 0, false},       {"abc\n", 0, false},  {"-3\n", 0, false},     {"12abc\n", 0, false},
      {" 7\n", 0, false},   {"+7\n", 0, false},   {"7 8\n", 0, false},    {"99999999999999999999\n", 0, false},
      {std::string("\0\x01\xff", 3), 0, false},   {std::string(100, '1'), 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    testfiles::writeText(file, c.text);
    std::string printed = keepBestEver(file);
    EXPECT_EQ(world.bestEver(), c.best);
    if (c.usable) {
      EXPECT_EQ(printed, "");
      continue;
    }
    EXPECT_EQ(lines(printed), 1) << printed;
    EXPECT_NE(printed.find(file.string()), std::string::npos) << printed;
    EXPECT_EQ(testfiles::readText(file), c.text);  // left as it is until a record
    stomp(1);
    EXPECT_EQ(testfiles::readText(file), "1\n");
  }
}

TEST_F(BestStompTest, AFolderInTheFilesPlaceCountsAsZeroWithOneLine) {
  fs::create_directories(file / "inside");
  std::string printed = keepBestEver(file);
  EXPECT_EQ(world.bestEver(), 0);
  EXPECT_EQ(lines(printed), 1) << printed;
  EXPECT_NE(printed.find(file.string()), std::string::npos) << printed;
}

TEST_F(BestStompTest, AnUnwritableFolderGivesOneLineAndPlayGoesOn) {
  testfiles::writeText(folder / "plain-file", "not a folder\n");
  fs::path unreachable = folder / "plain-file" / "stompalong" / "best-stomp";
  EXPECT_EQ(keepBestEver(unreachable), "");  // no folder yet is no record yet
  testing::internal::CaptureStderr();
  stomp(1);
  stomp(2);
  stomp(3);
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(lines(printed), 1) << printed;
  EXPECT_NE(printed.find(unreachable.string()), std::string::npos) << printed;
  EXPECT_EQ(world.bestEver(), 3);
  EXPECT_EQ(world.mostPerStomp(), 3);
}

TEST_F(BestStompTest, NoDataFolderAtAllGivesOneLineAtTheFirstRecord) {
  EXPECT_EQ(keepBestEver(fs::path()), "");
  testing::internal::CaptureStderr();
  stomp(1);
  stomp(2);
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(lines(printed), 1) << printed;
  EXPECT_NE(printed.find("HOME"), std::string::npos) << printed;
  EXPECT_EQ(world.bestEver(), 2);
}

}  // namespace
}  // namespace worldtest
