// Without a sound device the game runs silent: nothing loads, nothing plays,
// nothing fails.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "media/MusicStream.h"
#include "media/SoundBank.h"
#include "support/Files.h"

TEST(NoAudioDevice, LoadsGiveZeroGroupsStayEmptyAndPlaysDoNothing) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(audio::openDevice());
  SoundBank::instance().initAudio();

  testfiles::TempDir dir("noaudio");
  std::string path = dir / "tone.wav";
  testfiles::writeSquareWav(path, 0.1, 8000);
  int plays = 0;
  audio::setPlayObserver([&](audio::Sample, int) { ++plays; });

  SoundGroup group;
  group.addSound(path);
  EXPECT_EQ(group.size(), 0);
  EXPECT_EQ(SoundBank::instance().find(path), 0u);
  group.playRandom(1);
  EXPECT_EQ(plays, 0);

  MusicStream music;
  music.path = path;
  music.play(true);
  music.setVolume(0.7f);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  music.stop();
  audio::setPlayObserver(nullptr);
}
