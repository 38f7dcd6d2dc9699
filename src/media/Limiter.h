// Limiter: the last step of the mix. When the summed sound would go past its
// ceiling it lowers the gain smoothly (ahead of the peak, then back up
// slowly), so loud effects piling up over the music never clip; below the
// ceiling the sound passes through unchanged, only delayed by the look-ahead.
#pragma once

#include <vector>

class Limiter {
 public:
  static constexpr float kCeiling = 0.944f;            // largest output magnitude, -0.5 dBFS; full scale is 1
  static constexpr double kLookAheadSeconds = 0.0015;  // the gain reaches its low over this time before a peak
  static constexpr double kReleaseSeconds = 0.15;      // time constant of the way back to unity gain

  Limiter(int rate, int channels);

  // Interleaved float frames, in place; state carries over between calls.
  void process(float* samples, int frames);
  float gain() const { return gain_; }            // applied to the latest frame out; 1 = unchanged
  int latency() const { return lookAhead_ - 1; }  // frames between a frame going in and coming out

 private:
  float nextGain(float peak);

  int channels_;
  int lookAhead_;              // frames in each ring below, >= 1
  double releaseStep_;         // share of the distance to unity gain recovered per frame
  std::vector<float> delay_;   // the latest lookAhead_ input frames, interleaved
  std::vector<float> needed_;  // per ring frame: the gain that brings that frame down to the ceiling, <= 1
  std::vector<float> held_;    // per ring frame: the envelope, <= every needed_ of the frames it overlaps
  int at_ = 0;                 // ring slot of the newest frame
  double envelope_ = 1;        // newest held_ value, 0 < envelope_ <= 1; double, so the release never stalls
  float gain_ = 1;             // mean of held_: the gain on the frame leaving the delay
  int unityFrames_ = 0;        // latest frames in a row needing no cut, with the envelope at 1
};
