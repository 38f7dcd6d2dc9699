#include "media/Limiter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Closer to unity than this, the release snaps to exactly 1 (a -80 dB step),
// so a quiet mix is passed through bit for bit.
constexpr double kUnitySnap = 1e-4;
// Gains are aimed this hair under the ceiling, so float rounding in the
// division, the mean and the product cannot land a sample above it.
constexpr float kRoundingMargin = 1 - 1e-6f;

}  // namespace

Limiter::Limiter(int rate, int channels)
    : channels_(std::max(channels, 1)),
      lookAhead_(std::max(1, static_cast<int>(std::lround(kLookAheadSeconds * rate)))),
      releaseStep_(1 - std::exp(-1 / (kReleaseSeconds * std::max(rate, 1)))),
      delay_(static_cast<size_t>(lookAhead_ * channels_), 0.0f),
      needed_(static_cast<size_t>(lookAhead_), 1.0f),
      held_(static_cast<size_t>(lookAhead_), 1.0f) {}

void Limiter::process(float* samples, int frames) {
  for (int f = 0; f < frames; ++f) {
    float* frame = samples + static_cast<ptrdiff_t>(f) * channels_;
    at_ = (at_ + 1) % lookAhead_;
    std::copy(frame, frame + channels_, &delay_[static_cast<size_t>(at_ * channels_)]);
    float peak = 0;
    for (int c = 0; c < channels_; ++c) peak = std::max(peak, std::fabs(frame[c]));
    gain_ = nextGain(peak);
    const float* oldest = &delay_[static_cast<size_t>((at_ + 1) % lookAhead_ * channels_)];
    for (int c = 0; c < channels_; ++c) frame[c] = oldest[c] * gain_;
  }
}

// Takes the peak of the newest frame and returns the gain for the oldest one,
// which leaves the delay now. Each envelope value is held down to the lowest
// need among the frames of the look-ahead before it, so every value in the
// ring is low enough for the oldest frame: so is their mean, the gain, which
// falls in a straight line over the look-ahead instead of jumping.
float Limiter::nextGain(float peak) {
  float need = peak > kCeiling ? kCeiling / peak * kRoundingMargin : 1.0f;
  // Most of the time nothing is loud: the rings then hold only ones and the
  // scans below would give exactly 1, so they are skipped.
  if (need == 1 && unityFrames_ >= lookAhead_) return 1;
  needed_[static_cast<size_t>(at_)] = need;
  double lowestNeed = *std::min_element(needed_.begin(), needed_.end());
  double released = envelope_ + (1 - envelope_) * releaseStep_;
  if (1 - released < kUnitySnap) released = 1;
  envelope_ = std::min(lowestNeed, released);
  held_[static_cast<size_t>(at_)] = static_cast<float>(envelope_);
  unityFrames_ = need == 1 && envelope_ == 1 ? unityFrames_ + 1 : 0;
  double sum = 0;
  for (float e : held_) sum += e;
  return static_cast<float>(sum / lookAhead_);
}
