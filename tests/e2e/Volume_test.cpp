// The volume keys on the real game, heard on SDL's disk audio driver: three
// presses of - turn the music down to 70 %, M silences it, and the level left
// is the one the next run starts with, even when the game is killed right
// after the change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/Settings.h"
#include "app/Volume.h"
#include "support/DiskRecording.h"
#include "support/GameProcess.h"

namespace fs = std::filesystem;
using testfiles::DiskRecording;

namespace {

constexpr int kPresses = 3;
constexpr double kLevel = double(Volume::kFull - kPresses * Volume::kStep) / Volume::kFull;
const size_t kLag = DiskRecording::bytesOf(100);     // from a key to the mix that hears it: a buffer or two
const size_t kWindow = DiskRecording::bytesOf(500);  // bytes of recording each level is taken over
constexpr double kToleranceDb = 1;

double decibels(double ratio) { return 20 * std::log10(ratio); }

double rmsOf(const std::vector<float>& samples) {
  double sum = 0;
  for (float v : samples) sum += double(v) * v;
  return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// A window of the recording from `from`, once it is written.
std::vector<float> heard(const DiskRecording& recording, size_t from) {
  EXPECT_TRUE(recording.waitForBytes(from + kWindow)) << "the recording stopped";
  return recording.samples(from, from + kWindow);
}
double levelAt(const DiskRecording& recording, size_t from) { return rmsOf(heard(recording, from)); }

// Steps to the third slide, whose intro music starts from its first sample in
// every run; the byte where it begins.
size_t startTheMusic(e2e::GameProcess& game, const DiskRecording& recording) {
  game.key("3");
  size_t silentUpTo = recording.bytes();
  game.key("3");
  size_t onset = 0;
  EXPECT_TRUE(e2e::waitUntil([&] {
    std::vector<float> heard = recording.samples(silentUpTo, recording.bytes());
    auto loud = std::find_if(heard.begin(), heard.end(), [](float v) { return v != 0; });
    onset = silentUpTo + size_t(loud - heard.begin()) / DiskRecording::kChannels * DiskRecording::kFrameBytes;
    return loud != heard.end();
  }, 20)) << "no music";
  return onset;
}

}  // namespace

TEST(Volume, StepsAndMuteAreHeardAndTheLevelLeftOutlivesAKill) {
  DiskRecording recording("volume");
  recording.capture(DiskRecording::Pace::RealTime);
  testfiles::TempDir config("volume-config");
  const std::vector<std::string> env = {"XDG_CONFIG_HOME=" + config.path().string()};

  e2e::GameProcess game(e2e::copyOfResources("volume"), env);
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  size_t onset = startTheMusic(game, recording);
  double full = levelAt(recording, onset);
  for (int i = 0; i < kPresses; ++i) game.key("minus");
  size_t lowered = recording.bytes() + kLag;
  double low = levelAt(recording, lowered);
  game.key("m");
  EXPECT_EQ(testfiles::peakOf(heard(recording, recording.bytes() + kLag)), 0) << "M did not silence the mix";
  game.key("m");
  game.kill();  // right after the change

  // A whole file, nothing beside it, holding the level left.
  fs::path file = config.path() / "stompalong" / "settings.txt";
  std::vector<SettingsProblem> problems;
  EXPECT_EQ(parseSettings(testfiles::readText(file), &problems), (Settings{.volume = Volume::kFull - kPresses * Volume::kStep}));
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);

  // The next run plays the same music at the level left, from its start: the
  // same stretches of it give the level of each run, and the music's own swell
  // between the two stretches.
  e2e::GameProcess next(e2e::copyOfResources("volume-next"), env);
  ASSERT_TRUE(next.waitForFirstFrame()) << next.report();
  size_t nextOnset = startTheMusic(next, recording);
  double nextFull = levelAt(recording, nextOnset);
  double nextLow = levelAt(recording, nextOnset + (lowered - onset));
  EXPECT_NEAR(decibels(full / nextFull), decibels(1 / kLevel), kToleranceDb) << "the level left was not kept";
  EXPECT_NEAR(decibels(full / low) - decibels(nextFull / nextLow), decibels(1 / kLevel), kToleranceDb)
      << "three presses of - did not turn the music down to " << kLevel;
}
