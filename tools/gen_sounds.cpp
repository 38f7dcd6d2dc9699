// Synthesises the game's sound effects into <out>/audio (default ./res):
// seven wet squelches, six cartoon booms, two crowd cheers and the chime of a
// player joining.
// Usage: gen_sounds [out-dir]
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>

#include "audiofile.h"
#include "core/Assets.h"
#include "core/SoundLevels.h"
#include "synth.h"

using namespace synth;

namespace {

constexpr int kEffectKbps = 96;

// A bubble: a short sine whose pitch rises as it closes.
void addBubble(Mono& out, int start, double hz, double seconds, float gain) {
  int n = samples(seconds);
  Phase ph;
  for (int i = 0; i < n && start + i < int(out.size()); ++i) {
    double t = double(i) / n;
    float env = hitEnvelope(double(i) / kRate, 0.002, seconds / 3);
    out[size_t(start + i)] += gain * env * sine(ph.advance(hz * (1 + 0.8 * t)));
  }
}

// One squelch: a falling low thud, band-passed noise sweeping down (or up,
// for a slurp) and gloopy flutter; `level` scales it for a second, smaller hit.
void addSquelch(Mono& out, Rng& rng, int start, float level) {
  double thudFrom = rng.range(110, 320), thudTo = rng.range(40, 90), bend = rng.range(0.02f, 0.07f);
  double thudDecay = rng.range(0.04f, 0.11f), wetDecay = rng.range(0.06f, 0.14f);
  double sweepFrom = rng.range(1000, 2600), sweepTo = rng.range(220, 500);
  if (rng.unit() < 0.35) std::swap(sweepFrom, sweepTo);
  double wobble = rng.range(18, 60);  // gloopy amplitude flutter, Hz
  float thudLevel = rng.range(0.5f, 1.0f), gloopLevel = rng.range(0.4f, 1.0f);
  Biquad band, body;
  body.lowPass(rng.range(600, 1200), 0.9);
  Phase thud, flutter;
  for (size_t i = size_t(start); i < out.size(); ++i) {
    double t = double(i - size_t(start)) / kRate;
    band.bandPass(sweepTo + (sweepFrom - sweepTo) * std::exp(-t / 0.07), 2.5);
    float noise = whiteNoise(rng);
    float wet = band.process(noise) * hitEnvelope(t, 0.003, wetDecay) * 1.6f;
    float gloop =
        body.process(noise) * hitEnvelope(t, 0.01, wetDecay * 1.3) * float(0.6 + 0.4 * sine(flutter.advance(wobble)));
    double hz = thudTo + (thudFrom - thudTo) * std::exp(-t / bend);
    float low = sine(thud.advance(hz)) * hitEnvelope(t, 0.002, thudDecay);
    out[i] += level * (wet + gloopLevel * gloop + thudLevel * low);
  }
}

Mono squish(uint64_t seed) {
  Rng rng(seed);
  double length = rng.range(0.28f, 0.45f);
  Mono out(size_t(samples(length)), 0.0f);
  addSquelch(out, rng, 0, 1.0f);
  if (rng.unit() < 0.5) addSquelch(out, rng, samples(rng.range(0.06f, 0.14f)), rng.range(0.3f, 0.6f));
  int bubbles = 3 + rng.below(4);
  for (int b = 0; b < bubbles; ++b) {
    int start = samples(rng.range(0.03f, float(length) - 0.1f));
    addBubble(out, start, rng.range(280, 950), rng.range(0.015f, 0.035f), rng.range(0.25f, 0.5f));
  }
  softClip(out, 1.5f);
  Biquad soften;  // keeps the squelch wet rather than hissy
  soften.lowPass(6000, 0.7);
  for (float& v : out) v = soften.process(v);
  fadeEdges(out, 0.001, 0.03);
  scaleToPeak(out, levels::kEffectPeak);
  return out;
}

Mono explosion(uint64_t seed) {
  Rng rng(seed);
  double length = rng.range(1.3f, 1.85f);
  Mono out(size_t(samples(length)), 0.0f);
  double decay = rng.range(0.35f, 0.6f);
  double thumpFrom = rng.range(80, 120), thumpTo = rng.range(30, 42);
  double cutoffFrom = rng.range(2500, 5000);
  Biquad roar, rumble, crackleBand;
  crackleBand.bandPass(rng.range(1500, 3000), 1.5);
  rumble.lowPass(110, 0.8);
  Phase thump;
  float brown = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    float noise = whiteNoise(rng);
    roar.lowPass(140 + cutoffFrom * std::exp(-t / 0.18), 0.8);
    float body = roar.process(noise) * hitEnvelope(t, 0.004, decay);
    brown = 0.995f * brown + 0.05f * noise;
    float low = rumble.process(brown) * hitEnvelope(t, 0.02, decay * 1.6) * 3.0f;
    double hz = thumpTo + (thumpFrom - thumpTo) * std::exp(-t / 0.12);
    float kick = sine(thump.advance(hz)) * hitEnvelope(t, 0.003, 0.3);
    float crackle = 0;
    if (t > 0.05 && rng.unit() < 0.0015 * std::exp(-t / 0.6)) crackle = whiteNoise(rng) * 6;
    crackle = crackleBand.process(crackle);
    float snap = t < 0.012 ? noise * float(1 - t / 0.012) : 0.0f;
    out[i] = 1.2f * body + low + 1.1f * kick + crackle + 0.6f * snap;
  }
  softClip(out, 2.2f);
  fadeEdges(out, 0.0005, 0.25);
  scaleToPeak(out, levels::kEffectPeak);
  return out;
}

// Formant frequencies (Hz) of the vowels a crowd shouts.
struct Vowel {
  double f1, f2, f3;
};
constexpr Vowel kEe{280, 2250, 2900}, kAh{750, 1150, 2450}, kEh{550, 1800, 2500}, kOo{320, 850, 2250};

Vowel lerp(Vowel a, Vowel b, double t) {
  return {a.f1 + (b.f1 - a.f1) * t, a.f2 + (b.f2 - a.f2) * t, a.f3 + (b.f3 - a.f3) * t};
}

// One voice shouting "yaaay" (ee-ah-eh-ee) or "wooo" (oo), pitch rising.
void addVoice(Stereo& out, Rng& rng, double start, double seconds) {
  bool yay = rng.unit() < 0.7;
  double f0 = rng.range(170, 430), pan = rng.range(0.15f, 0.85f), gain = rng.range(0.5f, 1.0f);
  double vibRate = rng.range(4.5f, 6.5f);
  Phase glottis, vibrato;
  Biquad f1, f2, f3;
  int first = samples(start), n = samples(seconds);
  for (int i = 0; i < n && first + i < int(out.frames()); ++i) {
    double t = double(i) / n;
    if (i % 32 == 0) {
      Vowel v = !yay       ? kOo
                : t < 0.15 ? lerp(kEe, kAh, t / 0.15)
                : t < 0.75 ? lerp(kAh, kEh, (t - 0.15) / 0.6)
                           : lerp(kEh, kEe, (t - 0.75) / 0.25);
      f1.bandPass(v.f1, 5);
      f2.bandPass(v.f2, 8);
      f3.bandPass(v.f3, 10);
    }
    double contour = 1 + 0.25 * std::sin(kPi * std::min(1.0, t * 1.6));
    double hz = f0 * contour * (1 + 0.02 * sine(vibrato.advance(vibRate)));
    float source = saw(glottis.advance(hz), glottis.step()) + 0.15f * whiteNoise(rng);
    float voiced = f1.process(source) + 0.7f * f2.process(source) + 0.35f * f3.process(source);
    float env = gateEnvelope(t * seconds, 0.06, seconds - 0.36, 0.3) * float(gain);
    size_t k = size_t(first + i);
    out.left[k] += voiced * env * float(1 - pan);
    out.right[k] += voiced * env * float(pan);
  }
}

void addClapper(Stereo& out, Rng& rng, double from, double to) {
  double pan = rng.range(0.1f, 0.9f), rate = rng.range(4.0f, 6.5f);
  Biquad band;
  band.bandPass(rng.range(900, 2200), 1.2);
  for (double t = from + rng.range(0, 0.2f); t < to; t += (1 + rng.range(-0.15f, 0.15f)) / rate) {
    int at = samples(t), n = samples(0.03);
    for (int i = 0; i < n && at + i < int(out.frames()); ++i) {
      float v = band.process(whiteNoise(rng)) * hitEnvelope(double(i) / kRate, 0.001, 0.008) * 1.5f;
      out.left[size_t(at + i)] += v * float(1 - pan);
      out.right[size_t(at + i)] += v * float(pan);
    }
  }
}

void addWhistle(Stereo& out, Rng& rng, double start) {
  double base = rng.range(1800, 2600);
  Phase tone, vib;
  int first = samples(start), n = samples(0.7);
  for (int i = 0; i < n && first + i < int(out.frames()); ++i) {
    double t = double(i) / n;
    double hz = base * (1 + 0.35 * std::sin(kPi * t)) * (1 + 0.01 * sine(vib.advance(7)));
    float v = 0.12f * sine(tone.advance(hz)) * gateEnvelope(t * 0.7, 0.05, 0.45, 0.2);
    out.left[size_t(first + i)] += v;
    out.right[size_t(first + i)] += v;
  }
}

Stereo cheer(uint64_t seed) {
  Rng rng(seed);
  double length = rng.range(2.3f, 2.8f);
  Stereo out(size_t(samples(length)));
  int voices = 36 + rng.below(12);
  for (int v = 0; v < voices; ++v) {
    double start = rng.range(0, 0.45f);
    addVoice(out, rng, start, rng.range(0.8f, float(length - start - 0.4)));
  }
  for (int c = 0; c < 10; ++c) addClapper(out, rng, 0.15, length - 0.5);
  addWhistle(out, rng, rng.range(0.2f, 0.9f));
  reverb(out, 0.78f, 0.35f, false);
  for (Mono* ch : {&out.left, &out.right}) {
    softClip(*ch, 1.3f);
    fadeEdges(*ch, 0.02, 0.45);
  }
  scaleToPeak(out, levels::kEffectPeak);
  return out;
}

// Two bell strikes a fifth apart, the second on the first's ring: a bright,
// short "you're in". Each strike is a few inharmonic partials, as a bell has.
Mono chime() {
  constexpr double kNotes[] = {76, 83};  // E5, B5 (MIDI)
  constexpr double kPartials[][2] = {{1.0, 1.0}, {2.76, 0.45}, {5.4, 0.2}};  // frequency ratio, level
  constexpr double kStrikeGap = 0.12, kRing = 0.18;  // seconds
  Mono out(size_t(samples(0.7)), 0.0f);
  for (int k = 0; k < 2; ++k) {
    int start = samples(kStrikeGap * k);
    for (const auto& [ratio, level] : kPartials) {
      Phase ph;
      double hz = midiToHz(kNotes[k]) * ratio;
      for (size_t i = size_t(start); i < out.size(); ++i) {
        double t = double(i - size_t(start)) / kRate;
        out[i] += float(level) * hitEnvelope(t, 0.002, kRing / ratio) * sine(ph.advance(hz));
      }
    }
  }
  fadeEdges(out, 0.0, 0.05);
  scaleToPeak(out, levels::kEffectPeak);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : assets::kResourceDir;
  auto pathOf = [&](const char* file) { return out + "/" + assets::underResourceDir(file); };
  try {
    int seed = 0x5100;
    for (const char* file : assets::kSquishes) {
      writeMp3(pathOf(file), squish(++seed), kEffectKbps);
      std::printf("%s\n", pathOf(file).c_str());
    }
    seed = 0xB000;
    for (const char* file : assets::kExplosions) {
      writeMp3(pathOf(file), explosion(++seed), kEffectKbps);
      std::printf("%s\n", pathOf(file).c_str());
    }
    seed = 0xC400;
    for (const char* file : assets::kCheers) {
      writeWav(pathOf(file), cheer(++seed));
      std::printf("%s\n", pathOf(file).c_str());
    }
    writeWav(pathOf(assets::kJoinChime), chime());
    std::printf("%s\n", pathOf(assets::kJoinChime).c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen_sounds: %s\n", e.what());
    return 1;
  }
  return 0;
}
