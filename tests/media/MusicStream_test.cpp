// Music streams on the real mixer (SDL's silent dummy driver). The mixer has
// one music channel, so what plays is what Mix_PlayingMusic reports.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>

#include "media/MusicStream.h"
#include "media/SoundBank.h"
#include "support/Files.h"

namespace {

constexpr double kClipSeconds = 0.3;
constexpr double kPastTheEnd = kClipSeconds + 0.2;  // seconds of output that a clip started now has ended in

const testfiles::TempDir dir("music");
std::atomic<uint64_t> mixedBytes{0};  // all the mixer has put out

// An effect on the final mix, beside the audio layer's own limiter.
void countMixed(int, void*, int bytes, void*) { mixedBytes += static_cast<uint64_t>(bytes); }

// Waits until the mixer has put out the given seconds of sound, however slowly
// its thread gets to run; gives up after ten seconds.
void waitForMixed(double seconds) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  uint64_t target = mixedBytes + static_cast<uint64_t>(seconds * rate * channels * SDL_AUDIO_BITSIZE(format) / 8);
  for (int waited = 0; mixedBytes < target && waited < 10000; waited += 5) SDL_Delay(5);
}

class Music : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundBank::instance().initAudio();
    Mix_RegisterEffect(MIX_CHANNEL_POST, countMixed, nullptr, nullptr);
  }
  void TearDown() override { Mix_HaltMusic(); }

  // A fresh short clip file for the stream; the extension is the file's name only.
  static void clip(MusicStream& stream, const std::string& name, const std::string& extension = ".wav") {
    stream.path = dir / (name + extension);
    testfiles::writeSquareWav(stream.path, kClipSeconds, 8000);
  }
};

TEST_F(Music, ALoopingStreamPlaysOnPastItsEndAndAPlainOneStops) {
  MusicStream once, looping;
  clip(once, "once");
  once.play(false);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  waitForMixed(kPastTheEnd);
  EXPECT_EQ(Mix_PlayingMusic(), 0);

  clip(looping, "looping");
  looping.play(true);
  waitForMixed(kPastTheEnd);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  looping.stop();
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(Music, StoppingTheIntroLeavesTheGameClipPlaying) {
  MusicStream intro, game;
  clip(intro, "intro");
  clip(game, "game");
  intro.play(true);
  intro.setVolume(0.7f);
  game.play(true);
  game.setVolume(0.7f);
  intro.stop();
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  game.stop();
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(Music, VolumeIsAClampedPercentageOfThePlayingStreamOnly) {
  MusicStream intro, game;
  clip(intro, "quiet");
  clip(game, "loud");
  intro.play(true);
  intro.setVolume(0.7f);  // 69 percent, not 70
  EXPECT_EQ(Mix_VolumeMusic(-1), 69 * MIX_MAX_VOLUME / 100);
  intro.setVolume(1.5f);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
  intro.setVolume(-1);
  EXPECT_EQ(Mix_VolumeMusic(-1), 0);

  game.play(true);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME) << "a new stream starts at full volume";
  intro.setVolume(0.2f);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME) << "only the playing stream sets the music volume";
}

TEST_F(Music, AStreamThatNeverOpenedChangesNothing) {
  MusicStream game;
  clip(game, "running");
  game.play(true);
  game.setVolume(0.5f);

  MusicStream missing, neverPlayed;
  missing.path = dir / "missing.mp3";
  missing.play(true);
  missing.setVolume(0.1f);
  missing.stop();
  neverPlayed.stop();
  neverPlayed.setVolume(0);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_EQ(Mix_VolumeMusic(-1), 50 * MIX_MAX_VOLUME / 100);
}

TEST_F(Music, EachClipHoldsOneOpenStreamHoweverOftenItPlays) {
  int before = audio::openStreamCount();
  {
    MusicStream intro, game;
    clip(intro, "replayed-intro");
    clip(game, "replayed-game");
    for (int i = 0; i < 50; ++i) {
      intro.play(true);
      game.play(i % 2 == 0);
      EXPECT_EQ(audio::openStreamCount(), before + 2) << "after play " << i + 1;
    }
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "the latest play still sounds";
    game.stop();
    intro.play(true);
    intro.setVolume(0.5f);
    EXPECT_EQ(Mix_VolumeMusic(-1), 50 * MIX_MAX_VOLUME / 100) << "the new stream takes the volume";
  }
  EXPECT_EQ(audio::openStreamCount(), before) << "a clip's stream is freed with it";
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(Music, TheDecoderFollowsTheFileContentNotItsName) {
  MusicStream misnamed;
  clip(misnamed, "wave-inside", ".mp3");
  misnamed.play(true);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_EQ(Mix_GetMusicType(nullptr), MUS_WAV) << "decoded as what it is";
}

// Last: it closes the device, then opens it again.
TEST_F(Music, ClosingTheDeviceFreesEverySoundAndLeavesHandlesDead) {
  MusicStream kept;
  clip(kept, "kept");
  kept.play(true);
  audio::Sample sample = audio::loadSample(kept.path.c_str(), 4);
  ASSERT_GT(audio::openStreamCount(), 0);
  ASSERT_NE(audio::sampleChannel(sample), 0u);
  audio::closeDevice();
  EXPECT_EQ(audio::openStreamCount(), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(audio::sampleChannel(sample), 0u);
  kept.setVolume(0.5f);
  kept.play(true);
  EXPECT_EQ(audio::openStreamCount(), 0) << "nothing opens without a device";

  SoundBank::instance().initAudio();
  kept.play(true);
  EXPECT_EQ(audio::openStreamCount(), 1);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_EQ(audio::sampleChannel(sample), 0u) << "a handle is never given to another sound";
}

}  // namespace
