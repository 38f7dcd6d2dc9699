// The volume keys on the real game, heard on SDL's disk audio driver: three
// presses of - turn the music down to 70 %, M silences it, and the level left
// is the one the next run starts with, though the game is killed right after
// the change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/Volume.h"
#include "support/DiskRecording.h"
#include "support/GameProcess.h"

using testfiles::DiskRecording;

namespace {

constexpr int kPresses = 3;
constexpr int kPercentLeft = Volume::kFull - kPresses * Volume::kStep;
const double kDropDb = 20 * std::log10(double(Volume::kFull) / kPercentLeft);
const size_t kLag = DiskRecording::bytesOf(100);     // from a key to the mix that hears it: a buffer or two
const size_t kWindow = DiskRecording::bytesOf(500);  // bytes of recording each level is taken over

// The recording's level in decibels over a window from `from`, once it is written.
double decibelsAt(const DiskRecording& recording, size_t from) {
  EXPECT_TRUE(recording.waitForBytes(from + kWindow)) << "the recording stopped";
  double sum = 0;
  for (float v : recording.samples(from, from + kWindow)) sum += double(v) * v;
  return 10 * std::log10(sum);  // -inf for silence
}

// Steps to the third slide, whose music starts from its first sample in every
// run; the byte where it is first heard.
size_t startTheMusic(e2e::GameProcess& game, const DiskRecording& recording) {
  game.stillKey("3");
  size_t from = recording.bytes();
  game.stillKey("3");
  std::vector<float> heard;
  auto first = heard.end();
  EXPECT_TRUE(e2e::waitUntil([&] {
    heard = recording.samples(from, recording.bytes());
    return (first = std::find_if(heard.begin(), heard.end(), [](float v) { return v != 0; })) != heard.end();
  }, 20)) << "no music";
  return from + size_t(first - heard.begin()) / DiskRecording::kChannels * DiskRecording::kFrameBytes;
}

}  // namespace

TEST(Volume, StepsAndMuteAreHeardAndTheLevelLeftOutlivesAKill) {
  DiskRecording recording("volume");
  recording.capture(DiskRecording::Pace::RealTime);
  testfiles::TempDir config("volume-config");
  const std::vector<std::string> env = {"XDG_CONFIG_HOME=" + config / ""};
  size_t onset = 0, lowered = 0;
  double full = 0, low = 0;
  {
    e2e::GameProcess game(e2e::copyOfResources("volume"), env);
    ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
    onset = startTheMusic(game, recording);
    full = decibelsAt(recording, onset);
    for (int i = 0; i < kPresses; ++i) game.stillKey("minus");
    low = decibelsAt(recording, lowered = recording.bytes() + kLag);
    game.stillKey("m");
    EXPECT_EQ(decibelsAt(recording, recording.bytes() + kLag), -INFINITY) << "M did not silence the mix";
    game.stillKey("m");
  }  // killed right after the change

  std::filesystem::path folder = config.path() / "stompalong";  // a whole file and nothing beside it
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

  // The next run plays the same music from its start at the level left: the
  // same stretches of it give each run's level, and how the music itself swells
  // from the first stretch to the second.
  e2e::GameProcess next(e2e::copyOfResources("volume-next"), env);
  ASSERT_TRUE(next.waitForFirstFrame()) << next.report();
  size_t nextOnset = startTheMusic(next, recording);
  double nextFull = decibelsAt(recording, nextOnset), nextLow = decibelsAt(recording, nextOnset + lowered - onset);
  EXPECT_NEAR(full - nextFull, kDropDb, 1) << "the level left was not kept";
  EXPECT_NEAR((full - low) - (nextFull - nextLow), kDropDb, 1) << "three presses of - did not give " << kPercentLeft;
}
