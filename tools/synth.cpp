#include "synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

// Smooths the step of a naive waveform at phase 0 (polynomial band-limited step).
double polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1;
  }
  if (t > 1 - dt) {
    t = (t - 1) / dt;
    return t * t + t + t + 1;
  }
  return 0;
}

class Comb {
 public:
  explicit Comb(int length) : buffer(size_t(length), 0.0f) {}
  float process(float x, float feedback, float damp) {
    float y = buffer[pos];
    store = y * (1 - damp) + store * damp;
    buffer[pos] = x + store * feedback;
    pos = (pos + 1) % buffer.size();
    return y;
  }

 private:
  std::vector<float> buffer;
  size_t pos = 0;
  float store = 0;
};

class Allpass {
 public:
  explicit Allpass(int length) : buffer(size_t(length), 0.0f) {}
  float process(float x) {
    float b = buffer[pos];
    buffer[pos] = x + b * 0.5f;
    pos = (pos + 1) % buffer.size();
    return b - x;
  }

 private:
  std::vector<float> buffer;
  size_t pos = 0;
};

class ReverbChannel {
 public:
  explicit ReverbChannel(int spread) {
    for (int d : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617}) combs.emplace_back(d + spread);
    for (int d : {556, 441, 341, 225}) allpasses.emplace_back(d + spread);
  }
  float process(float x, float feedback) {
    constexpr float kInputGain = 0.015f, kDamp = 0.3f;
    float sum = 0;
    for (Comb& c : combs) sum += c.process(x * kInputGain, feedback, kDamp);
    for (Allpass& a : allpasses) sum = a.process(sum);
    return sum;
  }

 private:
  std::vector<Comb> combs;
  std::vector<Allpass> allpasses;
};

}  // namespace

int samples(double seconds) { return int(std::lround(seconds * kRate)); }
double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

float sine(double phase) { return float(std::sin(2 * kPi * phase)); }

float saw(double phase, double dt) { return float(2 * phase - 1 - polyBlep(phase, dt)); }

float pulse(double phase, double dt, double duty) {
  double v = phase < duty ? 1 : -1;
  v += polyBlep(phase, dt);
  v -= polyBlep(std::fmod(phase + 1 - duty, 1.0), dt);
  return float(v - (2 * duty - 1));
}

double Phase::advance(double hz) {
  double now = phase;
  dt = hz / kRate;
  phase += dt;
  phase -= std::floor(phase);
  return now;
}

void Biquad::set(double nb0, double nb1, double nb2, double a0, double na1, double na2) {
  b0 = nb0 / a0;
  b1 = nb1 / a0;
  b2 = nb2 / a0;
  a1 = na1 / a0;
  a2 = na2 / a0;
}

namespace {
struct Angle {
  double cosw, alpha;
};
Angle angleFor(double hz, double q) {
  double w = 2 * kPi * std::clamp(hz, 10.0, 0.49 * kRate) / kRate;
  return {std::cos(w), std::sin(w) / (2 * q)};
}
}  // namespace

void Biquad::lowPass(double hz, double q) {
  Angle a = angleFor(hz, q);
  set((1 - a.cosw) / 2, 1 - a.cosw, (1 - a.cosw) / 2, 1 + a.alpha, -2 * a.cosw, 1 - a.alpha);
}

void Biquad::highPass(double hz, double q) {
  Angle a = angleFor(hz, q);
  set((1 + a.cosw) / 2, -(1 + a.cosw), (1 + a.cosw) / 2, 1 + a.alpha, -2 * a.cosw, 1 - a.alpha);
}

void Biquad::bandPass(double hz, double q) {
  Angle a = angleFor(hz, q);
  set(a.alpha, 0, -a.alpha, 1 + a.alpha, -2 * a.cosw, 1 - a.alpha);
}

float Biquad::process(float x) {
  double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1;
  x1 = x;
  y2 = y1;
  y1 = y;
  return float(y);
}

float hitEnvelope(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return float(t / attack);
  return float(std::exp(-(t - attack) / decay));
}

float gateEnvelope(double t, double attack, double hold, double release) {
  if (t < 0) return 0;
  if (t < attack) return float(t / attack);
  if (t < attack + hold) return 1;
  t -= attack + hold;
  return t < release ? float(1 - t / release) : 0.0f;
}

float whiteNoise(Rng& rng) { return float(rng.unit() * 2 - 1); }

void scaleToPeak(Mono& m, float peak) {
  float top = 0;
  for (float v : m) top = std::max(top, std::fabs(v));
  if (top > 0)
    for (float& v : m) v *= peak / top;
}

void scaleToPeak(Stereo& s, float peak) {
  float top = 0;
  for (size_t i = 0; i < s.frames(); ++i) top = std::max({top, std::fabs(s.left[i]), std::fabs(s.right[i])});
  if (top <= 0) return;
  for (size_t i = 0; i < s.frames(); ++i) {
    s.left[i] *= peak / top;
    s.right[i] *= peak / top;
  }
}

void softClip(Mono& m, float drive) {
  for (float& v : m) v = std::tanh(v * drive) / drive;
}

void fadeEdges(Mono& m, double fadeIn, double fadeOut) {
  size_t in = size_t(samples(fadeIn)), out = size_t(samples(fadeOut));
  for (size_t i = 0; i < in && i < m.size(); ++i) m[i] *= float(i) / in;
  for (size_t i = 0; i < out && i < m.size(); ++i) m[m.size() - 1 - i] *= float(i) / out;
}

void reverb(Stereo& s, float roomSize, float wet, bool circular) {
  constexpr int kStereoSpread = 23;
  ReverbChannel left(0), right(kStereoSpread);
  size_t n = s.frames();
  if (circular) {
    for (size_t i = 0; i < n; ++i) {
      float mono = 0.5f * (s.left[i] + s.right[i]);
      left.process(mono, roomSize);
      right.process(mono, roomSize);
    }
  }
  for (size_t i = 0; i < n; ++i) {
    float mono = 0.5f * (s.left[i] + s.right[i]);
    s.left[i] += wet * left.process(mono, roomSize);
    s.right[i] += wet * right.process(mono, roomSize);
  }
}

}  // namespace synth
