// Sound bank and groups on the real mixer (SDL's silent dummy driver); the
// audio layer's play observer shows which sample each play started, how loud.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

#include "media/SoundBank.h"
#include "support/Files.h"

namespace {

using Play = std::pair<audio::Sample, int>;  // sample, volume 0..100

const testfiles::TempDir dir("soundbank");
std::vector<Play> plays;

class SoundGroups : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundBank::instance().initAudio();
    audio::setPlayObserver([](audio::Sample sample, int volume) { plays.emplace_back(sample, volume); });
  }
  void SetUp() override { plays.clear(); }

  // A fresh short sound file; names never repeat across tests.
  static std::string newSound(const std::string& name) {
    std::string path = dir / (name + ".wav");
    testfiles::writeSquareWav(path, 0.05, 8000);
    return path;
  }
};

TEST_F(SoundGroups, VolumeIsClampedAndTruncatedToAPercentage) {
  SoundGroup group;
  group.addSound(newSound("volume"));
  ASSERT_EQ(group.size(), 1);
  for (float volume : {1.7f, -0.2f, 0.8f, 0.5f, 0.7f, 1.0f, 0.0f}) group.playRandom(volume);
  std::vector<int> volumes;
  for (const Play& play : plays) volumes.push_back(play.second);
  EXPECT_EQ(volumes, (std::vector<int>{100, 0, 80, 50, 69, 100, 0}));
  EXPECT_EQ(volumePercent(0.7f), 69) << "a 32-bit 0.7 lies just below 0.7";
  EXPECT_EQ(volumePercent(0.6999f), 69);
}

TEST_F(SoundGroups, AGroupPlaysOnlyItsOwnSamplesAndReachesEachOfThem) {
  SoundGroup one, two;
  one.addSound(newSound("solo"));
  two.addSound(newSound("first"));
  two.addSound(newSound("second"));
  audio::Sample solo = SoundBank::instance().find(dir / "solo.wav");
  std::set<audio::Sample> pair{SoundBank::instance().find(dir / "first.wav"),
                               SoundBank::instance().find(dir / "second.wav")};
  ASSERT_NE(solo, 0u);
  ASSERT_EQ(pair.size(), 2u);

  for (int i = 0; i < 20; ++i) one.playRandom(1);
  for (const Play& play : plays) EXPECT_EQ(play.first, solo);
  plays.clear();

  for (int i = 0; i < 200; ++i) two.playRandom(1);  // missing one has odds 2^-199
  std::set<audio::Sample> heard;
  for (const Play& play : plays) heard.insert(play.first);
  EXPECT_EQ(heard, pair);
  EXPECT_EQ(plays.size(), 200u);
}

TEST_F(SoundGroups, AnEmptyGroupPlaysNothing) {
  SoundGroup empty;
  empty.addSound(dir / "never-written.wav");
  EXPECT_EQ(empty.size(), 0);
  empty.playRandom(1);
  EXPECT_TRUE(plays.empty());
}

TEST_F(SoundGroups, ACachedFileIsNotLoadedAgain) {
  std::string path = newSound("cached");
  SoundGroup first, second;
  first.addSound(path);
  std::filesystem::remove(path);  // a second load could only fail now
  second.addSound(path);
  first.addSound(path);
  EXPECT_EQ(second.size(), 1);
  EXPECT_EQ(first.size(), 2);
  second.playRandom(1);
  first.playRandom(1);
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(plays[0].first, SoundBank::instance().find(path));
  EXPECT_EQ(plays[1].first, plays[0].first);
}

TEST_F(SoundGroups, AFailedFileIsLeftOutAndTriedAgainWhenAddedAgain) {
  std::string path = dir / "late.wav";
  SoundGroup group;
  group.addSound(path);
  EXPECT_EQ(group.size(), 0);
  EXPECT_EQ(SoundBank::instance().find(path), 0u);

  newSound("late");
  group.addSound(path);
  EXPECT_EQ(group.size(), 1);
  audio::Sample loaded = SoundBank::instance().find(path);
  EXPECT_NE(loaded, 0u);

  std::filesystem::remove(path);  // from now on the cached sample answers
  group.addSound(path);
  EXPECT_EQ(group.size(), 2);
  EXPECT_EQ(SoundBank::instance().find(path), loaded);
}

TEST_F(SoundGroups, TheBankMatchesNamesExactlyAndTheFirstEntryWins) {
  SoundBank& bank = SoundBank::instance();
  bank.add("Exact/Name.wav", 0);
  bank.add("Exact/Name.wav", 77);
  bank.add("Exact/Name.wav", 88);
  EXPECT_EQ(bank.find("Exact/Name.wav"), 77u) << "a stored 0 counts as absent";
  EXPECT_EQ(bank.find("exact/name.wav"), 0u);
  EXPECT_EQ(bank.find("Exact/Name.wav "), 0u);
}

}  // namespace
