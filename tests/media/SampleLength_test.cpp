// Sound effects are bounded by the length the game can hold: 30 seconds at the
// device's rate. A WAV is judged by its header before the mixer decodes and
// converts it; other kinds by their stream decoder's length, or once decoded.
// Files here are small but declare long sounds, as a hostile one would.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/Audio.h"
#include "media/WavHeader.h"
#include "support/Files.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr double kLongest = 30;  // seconds
// A refused file must not have been converted first: the process grows by
// less than this while loading one that would convert to hundreds of megabytes.
constexpr long kMostGrowthKb = 64 * 1024;

const testfiles::TempDir folder("samplelength");
const std::string dir = folder.path().string();

void add(Bytes& b, const std::string& text) { b.insert(b.end(), text.begin(), text.end()); }
void addLe(Bytes& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void addBe(Bytes& b, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}

std::string_view text(const Bytes& b) { return {reinterpret_cast<const char*>(b.data()), b.size()}; }

std::string write(const std::string& name, const Bytes& b) {
  std::string path = dir + "/" + name;
  testfiles::writeBytes(path, b);
  return path;
}

// A RIFF WAVE of 16-bit mono PCM: an odd-sized chunk first (padded), then the
// format, then `declared` data bytes of which `held` are in the file.
Bytes wav(uint32_t rate, uint32_t declared, uint32_t held, uint16_t blockAlign = 2) {
  Bytes b;
  add(b, "RIFFxxxxWAVE");
  add(b, "LIST");
  addLe(b, 3, 4);
  add(b, "abc");
  b.push_back(0);  // the pad byte
  add(b, "fmt ");
  addLe(b, 16, 4);
  addLe(b, 1, 2);  // PCM
  addLe(b, 1, 2);  // mono
  addLe(b, rate, 4);
  addLe(b, rate * 2, 4);
  addLe(b, blockAlign, 2);
  addLe(b, 16, 2);
  add(b, "data");
  addLe(b, declared, 4);
  b.resize(b.size() + held, 0);
  return b;
}

// An AIFF of 8-bit mono: the header declares `frames` at `rate` (a power of two).
Bytes aiff(uint32_t rate, uint32_t frames) {
  Bytes b;
  add(b, "FORM");
  addBe(b, 4 + 26 + 16 + frames, 4);
  add(b, "AIFFCOMM");
  addBe(b, 18, 4);
  addBe(b, 1, 2);  // mono
  addBe(b, frames, 4);
  addBe(b, 8, 2);  // bits
  addBe(b, 16383 + uint32_t(std::log2(rate)), 2);  // 80-bit float: exponent, then the leading 1
  addBe(b, 0x80000000u, 4);
  addBe(b, 0, 4);
  add(b, "SSND");
  addBe(b, 8 + frames, 4);
  addBe(b, 0, 4);  // offset
  addBe(b, 0, 4);  // block size
  for (uint32_t i = 0; i < frames; ++i) b.push_back(uint8_t(i % 100 < 50 ? 40 : -40));
  return b;
}

// A Creative voice file: one block of 8-bit unsigned mono at 8 kHz.
Bytes voc(double seconds) {
  constexpr uint32_t kRate = 8000;
  auto frames = uint32_t(seconds * kRate);
  Bytes b;
  add(b, "Creative Voice File\x1a");
  addLe(b, 26, 2);
  addLe(b, 0x010A, 2);
  addLe(b, 0x1129, 2);  // ~version + 0x1234
  b.push_back(1);       // sound data
  addLe(b, frames + 2, 3);
  b.push_back(uint8_t(256 - 1000000 / kRate));
  b.push_back(0);  // 8-bit unsigned
  for (uint32_t i = 0; i < frames; ++i) b.push_back(uint8_t(i % 100 < 50 ? 168 : 88));
  b.push_back(0);  // terminator
  return b;
}

long peakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

class SampleLength : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(audio::openDevice());
  }

  // Loads the file and reports whether it was refused without the process growing.
  static bool refusedUnconverted(const std::string& path) {
    long before = peakResidentKb();
    audio::Sample sample = audio::loadSample(path.c_str(), 4);
    EXPECT_LT(peakResidentKb() - before, kMostGrowthKb) << path;
    return sample == 0;
  }
};

TEST_F(SampleLength, TheWavHeaderTellsTheLengthOfWhatTheFileHolds) {
  EXPECT_DOUBLE_EQ(*wavSeconds(text(wav(8000, 16000, 16000))), 1.0);
  EXPECT_DOUBLE_EQ(*wavSeconds(text(wav(1, 20000, 20000))), 10000.0);
  EXPECT_DOUBLE_EQ(*wavSeconds(text(wav(8000, 0xFFFFFFF0, 8000))), 0.5)
      << "only the bytes present count";
  EXPECT_DOUBLE_EQ(*wavSeconds(text(wav(8000, 16000, 16000, 4000))), 1.0)
      << "an oversized frame size does not shrink the length";

  Bytes noData = wav(8000, 16000, 16000);
  noData.resize(noData.size() - 16000 - 8);
  Bytes zeroAlign = wav(8000, 16000, 16000, 0);
  for (const auto& [name, bytes] : {std::pair{"no-data.wav", noData}, std::pair{"zero-rate.wav", wav(0, 100, 100)},
                                    std::pair{"zero-align.wav", zeroAlign}})
    EXPECT_TRUE(std::isinf(*wavSeconds(text(bytes)))) << name << " counts as too long";

  EXPECT_FALSE(wavSeconds(text(aiff(8, 100)))) << "not RIFF WAVE";
  EXPECT_FALSE(wavSeconds(""));
}

TEST_F(SampleLength, WavsUpToThirtySecondsLoadAndLongerOnesAreRefusedBeforeConverting) {
  std::string under = dir + "/under.wav", over = dir + "/over.wav";
  testfiles::writeSquareWav(under, kLongest - 0.1, 8000);
  testfiles::writeSquareWav(over, kLongest + 0.1, 8000);
  EXPECT_NE(audio::loadSample(under.c_str(), 4), 0u);
  EXPECT_TRUE(refusedUnconverted(over));

  // 20 KB declaring 8 and 1 samples a second: 440 MB and 3.5 GB once converted.
  std::string eightHz = dir + "/eight-hz.mp3", oneHz = dir + "/one-hz.wav";
  testfiles::writeSquareWav(eightHz, 10000 / 8.0, 8000, 8);
  testfiles::writeSquareWav(oneHz, 10000, 8000, 1);
  EXPECT_TRUE(refusedUnconverted(eightHz)) << "judged by content, whatever the name";
  EXPECT_TRUE(refusedUnconverted(oneHz));
}

TEST_F(SampleLength, OtherKindsAreJudgedByTheirDecodersLengthOrOnceDecoded) {
  EXPECT_TRUE(refusedUnconverted(write("eight-hz.aiff", aiff(8, 10000)))) << "the stream decoder reads the length";
  EXPECT_NE(audio::loadSample(write("short.aiff", aiff(8192, 8192)).c_str(), 4), 0u);

  EXPECT_EQ(Mix_LoadMUS(write("probe.voc", voc(1)).c_str()), nullptr) << "no stream decoder for this kind";
  EXPECT_NE(audio::loadSample(write("short.voc", voc(5)).c_str(), 4), 0u);
  EXPECT_EQ(audio::loadSample(write("long.voc", voc(kLongest + 1)).c_str(), 4), 0u) << "refused once decoded";
}

}  // namespace
