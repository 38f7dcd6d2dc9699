// The audio layer on the real mixer, with SDL's disk driver writing the mixed
// output (float samples, full scale 1) to a file so that silence and sound
// can be told apart and measured.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <set>

#include "media/Audio.h"
#include "media/Limiter.h"
#include "support/DiskRecording.h"

namespace {

constexpr int16_t kAmplitude = 10000;
constexpr float kLevel = kAmplitude / 32768.0f;  // the same as the mixer's float output
constexpr float kTolerance = kLevel / 50;
constexpr size_t kSettleBytes = testfiles::DiskRecording::bytesOf(120);  // several mix buffers

const testfiles::DiskRecording recording("audio");
const testfiles::TempDir& dir = recording.folder();  // the sounds played, beside the recording

// Lets the driver write several more mix buffers, so that what was mixed
// before has reached the file; gives up after ten seconds.
void settle() { recording.waitForBytes(recording.bytes() + kSettleBytes); }

class AudioLayer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    recording.capture(testfiles::DiskRecording::Pace::RealTime);
    ASSERT_TRUE(audio::openDevice());
  }

  void SetUp() override {
    Mix_HaltChannel(-1);
    settle();
    mark_ = recording.bytes();
  }

  // Loudest output sample written since the last call (or since SetUp).
  float peakSinceMark() {
    size_t now = recording.bytes();
    std::vector<float> pcm = recording.samples(mark_, now);
    mark_ = now;
    EXPECT_FALSE(pcm.empty()) << "the disk driver wrote nothing";
    return testfiles::peakOf(pcm);
  }

  audio::Channel play(audio::Sample sample, int volume) {
    audio::Channel channel = audio::sampleChannel(sample);
    audio::playChannel(channel);
    audio::setChannelVolume(channel, volume);
    return channel;
  }

  size_t mark_ = 0;  // bytes of output already looked at
};

TEST_F(AudioLayer, DeviceIsStereo44100MixedInFloatWithRoomFor4PlaysOf15Samples) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
  EXPECT_EQ(rate, 44100);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(format, AUDIO_F32SYS) << "a float sum can pass full scale until the limiter brings it back";
  EXPECT_GE(Mix_AllocateChannels(-1), 15 * 4);
  EXPECT_TRUE(audio::openDevice()) << "a second open keeps the device";
}

TEST_F(AudioLayer, OutputIsSilentUntilAPlayAndScalesWithTheVolume) {
  std::string path = dir / "tone.wav";
  testfiles::writeSquareWav(path, 1.0, kAmplitude);
  audio::Sample tone = audio::loadSample(path.c_str(), 4);
  ASSERT_NE(tone, 0u);

  settle();
  EXPECT_EQ(peakSinceMark(), 0);

  audio::Channel channel = play(tone, 100);
  settle();
  float full = peakSinceMark();
  EXPECT_NEAR(full, kLevel, kTolerance) << "the limiter leaves a sound under its ceiling alone";

  Mix_HaltChannel(-1);
  settle();
  peakSinceMark();
  audio::playChannel(channel);  // the same channel again, now at half volume
  audio::setChannelVolume(channel, 50);
  settle();
  EXPECT_NEAR(peakSinceMark(), full / 2, kTolerance);

  Mix_HaltChannel(-1);
  settle();
  peakSinceMark();
  play(tone, 0);
  settle();
  EXPECT_EQ(peakSinceMark(), 0);
}

TEST_F(AudioLayer, AFifthPlayTakesOverThePlaybackFurthestAlong) {
  std::string path = dir / "long.wav";
  testfiles::writeSquareWav(path, 3.0, kAmplitude);
  audio::Sample sample = audio::loadSample(path.c_str(), 4);
  ASSERT_NE(sample, 0u);

  std::vector<audio::Channel> started;
  for (int i = 0; i < 4; ++i) {
    started.push_back(play(sample, 100));  // in order: the first is furthest along
  }
  EXPECT_EQ(std::set<audio::Channel>(started.begin(), started.end()).size(), 4u);
  EXPECT_EQ(Mix_Playing(-1), 4);

  EXPECT_EQ(play(sample, 100), started[0]);
  EXPECT_EQ(Mix_Playing(-1), 4);
  EXPECT_EQ(play(sample, 100), started[1]) << "the restarted first is now the newest";
  for (int i = 0; i < 10; ++i) {
    play(sample, 100);
    EXPECT_LE(Mix_Playing(-1), 4);
  }

  std::string otherPath = dir / "other.wav";
  testfiles::writeSquareWav(otherPath, 1.0, kAmplitude);
  audio::Channel other = play(audio::loadSample(otherPath.c_str(), 4), 100);
  EXPECT_EQ(std::count(started.begin(), started.end(), other), 0) << "another sample has its own voices";
  EXPECT_EQ(Mix_Playing(-1), 5);
}

TEST_F(AudioLayer, LoudPlaysPilingUpAreBroughtUnderTheCeiling) {
  std::string path = dir / "loud.wav";
  constexpr int16_t kLoud = 30000;  // 0.92 of full scale: four in step sum to 3.7
  testfiles::writeSquareWav(path, 1.0, kLoud);
  audio::Sample loud = audio::loadSample(path.c_str(), 4);
  ASSERT_NE(loud, 0u);
  for (int i = 0; i < 4; ++i) play(loud, 100);
  for (int i = 0; i < 3; ++i) settle();
  float peak = peakSinceMark();
  EXPECT_LE(peak, Limiter::kCeiling);
  EXPECT_GT(peak, Limiter::kCeiling * 0.9f) << "limited to the ceiling, not far below it";
}

TEST_F(AudioLayer, FailedLoadsGiveZeroAndZeroHandlesDoNothing) {
  std::string garbage = dir / "garbage.wav", missing = dir / "missing.wav";
  std::ofstream(garbage) << "this is not a sound file at all";
  EXPECT_EQ(audio::loadSample(missing.c_str(), 4), 0u);
  EXPECT_EQ(audio::loadSample(garbage.c_str(), 4), 0u);
  EXPECT_EQ(audio::openStream(missing.c_str(), true), 0u);
  EXPECT_EQ(audio::openStream(garbage.c_str(), false), 0u);

  EXPECT_EQ(audio::sampleChannel(0), 0u);
  EXPECT_EQ(audio::sampleChannel(12345), 0u);
  audio::playChannel(0);
  audio::setChannelVolume(0, 100);
  audio::playStream(0);
  audio::setStreamVolume(0, 100);
  audio::stopStream(0);
  settle();
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(peakSinceMark(), 0);
}

}  // namespace
