// Building blocks for synthesising the game's sounds and music: oscillators,
// filters, envelopes, noise and a small reverb. Everything is mono float at
// 44.1 kHz unless a Stereo buffer is asked for.
#pragma once

#include <cstddef>
#include <vector>

#include "rng.h"

namespace synth {

constexpr int kRate = 44100;  // samples per second
constexpr double kPi = 3.14159265358979323846;

using Mono = std::vector<float>;

struct Stereo {
  Mono left, right;
  explicit Stereo(size_t count = 0) : left(count, 0.0f), right(count, 0.0f) {}
  size_t frames() const { return left.size(); }
};

int samples(double seconds);
double midiToHz(double note);  // 69 = A4 = 440 Hz

// One oscillator sample; phase is in cycles [0, 1), dt the phase step.
float sine(double phase);
float saw(double phase, double dt);                 // band-limited (polyBLEP)
float pulse(double phase, double dt, double duty);  // band-limited (polyBLEP)

// Phase accumulator for a changing frequency.
class Phase {
 public:
  double advance(double hz);  // returns the phase before stepping
  double step() const { return dt; }

 private:
  double phase = 0, dt = 0;
};

// RBJ biquad; coefficients can be changed while running.
class Biquad {
 public:
  void lowPass(double hz, double q);
  void highPass(double hz, double q);
  void bandPass(double hz, double q);  // 0 dB peak
  float process(float x);

 private:
  void set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// Attack-then-exponential-decay envelope value at time t (seconds).
float hitEnvelope(double t, double attack, double decay);
// Linear attack, hold, linear release; zero outside [0, attack + hold + release].
float gateEnvelope(double t, double attack, double hold, double release);

float whiteNoise(Rng& rng);  // uniform in [-1, 1)

void scaleToPeak(Mono& m, float peak);
void scaleToPeak(Stereo& s, float peak);
void softClip(Mono& m, float drive);                     // tanh saturation, unity gain for small signals
void fadeEdges(Mono& m, double fadeIn, double fadeOut);  // seconds

// Schroeder-style stereo reverb. With `circular`, the signal is treated as a
// loop: the reverb runs over it twice and keeps the second pass, so the tail
// of the end rings into the start.
void reverb(Stereo& s, float roomSize, float wet, bool circular);

}  // namespace synth
