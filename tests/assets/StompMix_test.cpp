// The loudest moment the game's own sounds can make, recorded through SDL's
// disk driver as the game mixes it: four explosions and four squishes started
// together over the game music at the game's volumes, then a cheer. The
// output never reaches full scale.
#include <gtest/gtest.h>

#include "app/App.h"
#include "assets/DecodedSound.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "media/Audio.h"
#include "media/MusicStream.h"
#include "media/SoundBank.h"
#include "support/DiskRecording.h"

namespace {

using testfiles::DiskRecording;

constexpr int kVoices = 4;          // of each effect: as many as one sample may hold
constexpr int kMusicAloneMs = 300;  // of recorded sound, as all the times here
constexpr int kCheerAfterMs = 400;
constexpr int kRingOutMs = 2500;    // the explosions and the cheer sound to their end

const DiskRecording recording("stompmix");

// Lets the mixer play on for the given length of sound.
void playOn(int ms) {
  size_t target = recording.bytes() + DiskRecording::bytesOf(ms);
  ASSERT_TRUE(recording.waitForBytes(target)) << "the disk driver stopped writing";
}

void fill(SoundGroup& group, const auto& files) {
  for (const char* file : files) group.addSound(file);
}

TEST(StompMix, FourExplosionsAndFourSquishesOverTheMusicThenACheerNeverReachFullScale) {
  recording.capture(DiskRecording::Pace::AheadOfRealTime);
  SoundBank::instance().initAudio();
  SoundGroup explosions, squishes, cheers;
  fill(explosions, assets::kExplosions);
  fill(squishes, assets::kSquishes);
  fill(cheers, assets::kCheers);
  ASSERT_GT(explosions.size() * squishes.size() * cheers.size(), 0);

  MusicStream music;
  music.path = assets::kLoopClip;
  music.play(true);
  music.setVolume(App::kMusicVolume);
  ASSERT_NO_FATAL_FAILURE(playOn(kMusicAloneMs));
  size_t burstStart = recording.bytes();
  for (int i = 0; i < kVoices; ++i) {
    explosions.playRandom(StompWorld::kStompVolume);
    squishes.playRandom(StompWorld::kStompVolume);
  }
  ASSERT_NO_FATAL_FAILURE(playOn(kCheerAfterMs));
  cheers.playRandom(1);  // louder than the game ever plays one
  ASSERT_NO_FATAL_FAILURE(playOn(kRingOutMs));
  size_t end = recording.bytes();
  audio::closeDevice();  // stops the driver writing

  ASSERT_GT(end, burstStart) << "the disk driver wrote nothing";
  float peak = testfiles::peakOf(recording.samples(burstStart, end));
  EXPECT_LT(peak, assets::kFullScale);
  EXPECT_GT(peak, 0.5f) << "the burst was heard";
}

}  // namespace
