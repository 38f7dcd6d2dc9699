// Two copies of the game keeping their records and pad setups in one folder at
// once, acted out by two processes saving through the game's own code: no
// record or mapping is lost, no temporary file is left, and a player's own
// files beside them stay as they were.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "game/BestStomp.h"
#include "input/PadMappingFile.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 200;   // each
constexpr int kSetupEvery = 20;  // records

std::string guid(int game, int setup) {
  char text[33];
  std::snprintf(text, sizeof text, "%032x", game * 1000 + setup);
  return text;
}

// One game: records 1, 3, 5... or 2, 4, 6..., each saved as the game saves a
// new best, and a pad setup of a device of its own now and then. Exits 1 if a
// save failed or the best on record ever went down.
[[noreturn]] void play(int game, const fs::path& folder) {
  if (!std::freopen((folder / ("errors-" + std::to_string(game))).c_str(), "w", stderr)) _exit(2);
  BestStompFile best(folder / "stompalong" / "best-stomp");
  PadMappingFile pads((folder / "stompalong" / "pads.txt").string());
  pads.load();
  bool ok = true;
  int shown = 0;
  for (int record = 1 + game; record <= 2 * kRecords; record += 2) {
    if (record > shown) {  // the game saves only what beats what it shows
      int onRecord = best.save(record);
      ok = ok && onRecord >= record;
      shown = onRecord;
    }
    if (record / 2 % kSetupEvery == 0) ok = pads.save(guid(game, record), "Pad", PadMapping::defaults()) && ok;
  }
  _exit(ok ? 0 : 1);
}

}  // namespace

TEST(TwoGames, RacingRecordsAndPadSetupsLoseNothing) {
  testfiles::TempDir temp("two-games");
  const fs::path folder = temp.path() / "stompalong";
  const std::string players[] = {".best-stomp.backup", ".pads.txt.orig12"};
  for (const auto& name : players) testfiles::writeText(folder / name, "mine\n");

  pid_t games[2];
  for (int game = 0; game < 2; ++game)
    if ((games[game] = fork()) == 0) play(game, temp.path());
  for (pid_t game : games) {
    int status = 0;
    ASSERT_EQ(waitpid(game, &status, 0), game);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  for (int game = 0; game < 2; ++game)
    EXPECT_EQ(testfiles::readText(temp.path() / ("errors-" + std::to_string(game))), "");

  EXPECT_EQ(testfiles::readText(folder / "best-stomp"), std::to_string(2 * kRecords) + "\n");
  PadMappingFile pads((folder / "pads.txt").string());
  pads.load();
  EXPECT_EQ(pads.pads().size(), 2u * kRecords / kSetupEvery) << "a game's pad setup was lost";
  for (const auto& name : players) EXPECT_EQ(testfiles::readText(folder / name), "mine\n") << name;
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().filename().string().find(".stompalong-"), std::string::npos) << entry.path();
}
