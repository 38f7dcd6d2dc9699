// The limiter's arithmetic on made-up mixes: what it lets through untouched,
// how far it lets anything go, and how its gain moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "media/Limiter.h"

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;

using Mix = std::vector<float>;  // interleaved stereo frames

size_t frames(const Mix& mix) { return mix.size() / kChannels; }

// Processes a copy of the mix in pieces of the given size, as the mixer's
// buffers would come; records the gain on every frame.
Mix limited(const Mix& in, int piece, std::vector<float>* gains = nullptr) {
  Limiter limiter(kRate, kChannels);
  Mix out = in;
  for (size_t at = 0; at < frames(out); at += size_t(piece)) {
    int count = int(std::min(frames(out) - at, size_t(piece)));
    if (gains) {
      for (int f = 0; f < count; ++f) {
        limiter.process(&out[(at + size_t(f)) * kChannels], 1);
        gains->push_back(limiter.gain());
      }
    } else {
      limiter.process(&out[at * kChannels], count);
    }
  }
  return out;
}

int latency() { return Limiter(kRate, kChannels).latency(); }

// A sine on both channels: amplitude `level`, `hz`, for `seconds`.
void addSine(Mix& mix, double seconds, double hz, float level) {
  for (int i = 0; i < int(seconds * kRate); ++i) {
    float v = level * float(std::sin(2 * M_PI * hz * i / kRate));
    mix.push_back(v);
    mix.push_back(v);
  }
}

// Noise with sudden loud stretches, single-sample spikes and one-sided peaks.
Mix roughMix() {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> unit(-1, 1);
  Mix mix;
  for (int block = 0; block < 60; ++block) {
    float level = block % 3 == 0 ? 0.3f : 0.5f + 7.5f * std::abs(unit(rng));
    for (int i = 0; i < 1500; ++i) {
      float spike = i == 700 ? 20.0f : 1.0f;
      mix.push_back(level * spike * unit(rng));
      mix.push_back(block % 5 == 0 ? 0.0f : level * unit(rng));
    }
  }
  return mix;
}

TEST(Limiter, AMixUnderTheCeilingComesOutExactlyDelayedByTheLookAhead) {
  std::mt19937 rng(1);
  std::uniform_real_distribution<float> unit(-Limiter::kCeiling, Limiter::kCeiling);
  Mix in(size_t(kRate) * kChannels);
  for (float& v : in) v = unit(rng);
  ASSERT_GT(latency(), 0);
  for (int piece : {1, 333, 1024}) {
    SCOPED_TRACE(piece);
    Mix out = limited(in, piece);
    size_t delay = size_t(latency()) * kChannels;
    for (size_t i = 0; i < delay; ++i) ASSERT_EQ(out[i], 0.0f);
    for (size_t i = delay; i < out.size(); ++i) ASSERT_EQ(out[i], in[i - delay]) << "sample " << i;
  }
}

TEST(Limiter, NothingPassesTheCeilingAndHowTheMixArrivesDoesNotMatter) {
  Mix in = roughMix();
  Mix whole = limited(in, int(frames(in)));
  float loudest = 0;
  for (float v : whole) loudest = std::max(loudest, std::fabs(v));
  EXPECT_LE(loudest, Limiter::kCeiling);
  EXPECT_GT(loudest, Limiter::kCeiling * 0.99f) << "the loud stretches reach the ceiling";
  EXPECT_EQ(limited(in, 1024), whole);
  EXPECT_EQ(limited(in, 1), whole);
}

TEST(Limiter, ALoudSineIsTurnedDownWholeNotFlattened) {
  Mix in;
  addSine(in, 0.2, 440, 0.5f);
  size_t onset = frames(in);
  addSine(in, 0.3, 440, 4.0f);
  std::vector<float> gains;
  Mix out = limited(in, 1024, &gains);

  // The gain slides down over the look-ahead rather than stepping.
  float steepest = 0;
  for (size_t f = 1; f < gains.size(); ++f) steepest = std::max(steepest, std::fabs(gains[f] - gains[f - 1]));
  EXPECT_LE(steepest, 1.0f / (latency() + 1) + 1e-6f);
  EXPECT_EQ(gains[onset - 1], 1.0f) << "untouched before the loud part";

  // Once settled, every sample is the input times one gain: the sine keeps its
  // shape at the ceiling, where a clipper would square its tops off.
  size_t settled = onset + size_t(kRate / 20), delay = size_t(latency());
  float lowRatio = 1, highRatio = 0, peak = 0;
  for (size_t f = settled; f < frames(out); ++f) {
    float original = in[(f - delay) * kChannels];
    peak = std::max(peak, std::fabs(out[f * kChannels]));
    if (std::fabs(original) < 0.5f) continue;
    float ratio = out[f * kChannels] / original;
    lowRatio = std::min(lowRatio, ratio), highRatio = std::max(highRatio, ratio);
  }
  EXPECT_LT(highRatio / lowRatio, 1.01f);
  EXPECT_NEAR(peak, Limiter::kCeiling, Limiter::kCeiling * 0.01f);
}

TEST(Limiter, TheGainComesBackSlowlyToExactlyOneAndBothSidesShareIt) {
  Mix in;
  addSine(in, 0.1, 200, 3.0f);
  size_t loudEnd = frames(in);
  addSine(in, 2.0, 200, 0.5f);
  for (size_t f = 0; f < frames(in); ++f) in[f * kChannels + 1] *= 0.25f;  // the right side is quieter
  std::vector<float> gains;
  Mix out = limited(in, 512, &gains);

  EXPECT_LT(gains[loudEnd + kRate / 100], 0.5f) << "still well down 10 ms after the loud part";
  EXPECT_EQ(gains.back(), 1.0f);
  size_t delay = size_t(latency());
  for (size_t f = loudEnd + delay; f < frames(out); f += 37) {
    float left = in[(f - delay) * kChannels], right = in[(f - delay) * kChannels + 1];
    if (std::fabs(left) > 0.1f) {
      ASSERT_NEAR(out[f * kChannels + 1] / out[f * kChannels], right / left, 1e-3f);
    }
  }
  EXPECT_EQ(out.back(), in[in.size() - 1 - delay * kChannels]) << "back to passing the mix through untouched";
}

}  // namespace
