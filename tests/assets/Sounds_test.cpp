// The committed sound effects and music clips under res/audio: each loads
// through the game's sound bank or music stream, is a 44.1 kHz file, and
// sounds for as long as its part in the game asks.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "app/App.h"
#include "assets/DecodedSound.h"
#include "core/Assets.h"
#include "core/SoundLevels.h"
#include "game/StompWorld.h"
#include "media/Audio.h"
#include "media/SoundBank.h"
#include "support/Files.h"

namespace {

using assets::DecodedSound;


template <size_t N>
std::vector<std::string> paths(const char* const (&files)[N]) {
  return {std::begin(files), std::end(files)};
}

const std::vector<std::string> kSquishes = paths(assets::kSquishes);
const std::vector<std::string> kExplosions = paths(assets::kExplosions);
const std::vector<std::string> kCheers = paths(assets::kCheers);
const std::vector<std::string> kClips = {assets::kIntroClip, assets::kLoopClip};

// Sample rate from the RIFF header, or from the first MPEG audio frame header
// (after any ID3v2 tag); 0 when neither is found.
int fileSampleRate(const std::string& path) {
  std::vector<uint8_t> b = testfiles::readBytes(path);
  if (b.size() >= 28 && std::string(b.begin(), b.begin() + 4) == "RIFF")
    return b[24] | b[25] << 8 | b[26] << 16 | b[27] << 24;
  size_t i = 0;
  if (b.size() >= 10 && std::string(b.begin(), b.begin() + 3) == "ID3")
    i = 10 + (size_t(b[6] & 0x7F) << 21 | size_t(b[7] & 0x7F) << 14 | size_t(b[8] & 0x7F) << 7 | size_t(b[9] & 0x7F));
  for (; i + 3 < b.size(); ++i) {
    if (b[i] != 0xFF || (b[i + 1] & 0xE0) != 0xE0) continue;
    static const int kRates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
    int version = (b[i + 1] >> 3) & 3, index = (b[i + 2] >> 2) & 3;
    return index < 3 ? kRates[version][index] : 0;
  }
  return 0;
}

// Largest normalised correlation of the two sounds' left channels over their
// common length: 1 for copies, near 0 for unrelated noise.
double similarity(const DecodedSound& a, const DecodedSound& b) {
  size_t n = std::min(a.frames(), b.frames());
  double ab = 0, aa = 0, bb = 0;
  for (size_t i = 0; i < n; ++i) {
    double x = a.pcm[i * 2], y = b.pcm[i * 2];
    ab += x * y, aa += x * x, bb += y * y;
  }
  return std::fabs(ab) / std::sqrt(aa * bb);
}

// Share of the signal below about 200 Hz (one-pole low-pass), by RMS.
double lowShare(const DecodedSound& d) {
  double state = 0, low = 0, all = 0;
  const double k = 1 - std::exp(-2 * M_PI * 200 / assets::kRate);
  for (size_t i = 0; i < d.frames(); ++i) {
    double v = d.pcm[i * 2];
    state += k * (v - state);
    low += state * state, all += v * v;
  }
  return std::sqrt(low / all);
}

bool clipped(const DecodedSound& d) { return assets::peak(d) >= assets::kFullScale; }

// MP3 decoding overshoots the peak an effect was mastered to, by up to 1.5 dB.
constexpr float kMp3Overshoot = 1.189f;
// A squish has to cut through the game music: its peak stands this far above the music's RMS.
constexpr double kSquishOverMusicDb = 8;

double decibels(double ratio) { return 20 * std::log10(ratio); }

class Sounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundBank::instance().initAudio();
  }

  // Decodes each file, checking what every effect shares: it plays, it is
  // 44.1 kHz, it is loud enough to hear, it leaves the mix headroom, and it
  // lasts between the given lengths.
  static std::vector<DecodedSound> checkEffects(const std::vector<std::string>& names, double shortest,
                                                double longest) {
    std::vector<DecodedSound> out;
    for (const std::string& name : names) {
      SCOPED_TRACE(name);
      EXPECT_EQ(fileSampleRate(name), assets::kRate);
      DecodedSound d = assets::decode(name);
      EXPECT_GT(d.seconds(), shortest);
      EXPECT_LT(d.seconds(), longest);
      EXPECT_GT(rms(d), 0.03);
      EXPECT_LE(assets::peak(d), levels::kEffectPeak * kMp3Overshoot);
      out.push_back(std::move(d));
    }
    return out;
  }

  static void expectDistinct(const std::vector<DecodedSound>& sounds) {
    for (size_t i = 0; i < sounds.size(); ++i)
      for (size_t j = i + 1; j < sounds.size(); ++j)
        EXPECT_LT(similarity(sounds[i], sounds[j]), 0.8) << i + 1 << " and " << j + 1;
  }
};

TEST_F(Sounds, TheDeviceRunsAtTheRateTheFilesAreMadeFor) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
  EXPECT_EQ(rate, assets::kRate);
  EXPECT_EQ(format, AUDIO_F32SYS);
  EXPECT_EQ(channels, assets::kChannels);
}

TEST_F(Sounds, EveryEffectJoinsItsGroupThroughTheSoundBank) {
  for (const auto* names : {&kSquishes, &kExplosions, &kCheers}) {
    SoundGroup group;
    for (const std::string& name : *names) group.addSound(name);
    EXPECT_EQ(group.size(), int(names->size())) << names->front();
  }
}

TEST_F(Sounds, SquishesAreShortDistinctSquelches) { expectDistinct(checkEffects(kSquishes, 0.1, 0.5)); }

TEST_F(Sounds, EverySquishPeaksWellAboveTheGameMusic) {
  double musicRms = rms(assets::decode(assets::kLoopClip)) * volumePercent(App::kMusicVolume) / 100;
  ASSERT_GT(musicRms, 0);
  for (const char* squish : assets::kSquishes) {
    double peak = assets::peak(assets::decode(squish)) * volumePercent(StompWorld::kStompVolume) / 100;
    EXPECT_GE(decibels(peak / musicRms), kSquishOverMusicDb) << squish;
  }
}

TEST_F(Sounds, ExplosionsAreDistinctLowBoomsUnderTwoSeconds) {
  std::vector<DecodedSound> booms = checkEffects(kExplosions, 0.5, 2.0);
  expectDistinct(booms);
  for (size_t i = 0; i < booms.size(); ++i) EXPECT_GT(lowShare(booms[i]), 0.5) << kExplosions[i];
}

TEST_F(Sounds, TheJoinChimeIsShortAndJoinsItsGroup) {
  checkEffects({assets::kJoinChime}, 0.3, 1.0);
  SoundGroup group;
  group.addSound(assets::kJoinChime);
  EXPECT_EQ(group.size(), 1);
}

TEST_F(Sounds, CheersLastOneToThreeSecondsInStereo) {
  expectDistinct(checkEffects(kCheers, 1.0, 3.0));
  for (const std::string& name : kCheers) EXPECT_EQ(testfiles::readBytes(name)[22], 2) << name;  // channel count
}

TEST_F(Sounds, MusicClipsOpenAsLoopingStreamsAtTheirLengths) {
  const double bounds[2][2] = {{10, 20}, {30, 60}};  // seconds: intro, game clip
  for (size_t i = 0; i < kClips.size(); ++i) {
    SCOPED_TRACE(kClips[i]);
    EXPECT_NE(audio::openStream((kClips[i]).c_str(), true), 0u);
    EXPECT_EQ(fileSampleRate(kClips[i]), assets::kRate);
    DecodedSound d = assets::decode(kClips[i]);
    EXPECT_GT(d.seconds(), bounds[i][0]);
    EXPECT_LT(d.seconds(), bounds[i][1]);
    EXPECT_GT(rms(d), 0.1);
    EXPECT_FALSE(clipped(d));
  }
}

}  // namespace
