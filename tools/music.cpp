#include "music.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace music {

using namespace synth;

namespace {

constexpr double kEchoBeats = 0.75;  // dotted eighth
constexpr float kEchoFeedback = 0.35f;
constexpr float kEchoLevel = 0.3f;
constexpr float kLoudest = 0.89f;  // peak after mixing, headroom for MP3 overshoot
// Everything sounds this many samples after its beat, so the loop's seam
// falls in the decay of the last bar rather than on the first drum hit.
constexpr size_t kSeamLead = 441;

Mono kick(Rng& rng) {
  Mono out(size_t(samples(0.4)));
  Phase ph;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double hz = 48 + 110 * std::exp(-t / 0.03);
    float click = whiteNoise(rng) * gateEnvelope(t, 0.0003, 0, 0.004) * 0.5f;
    out[i] = sine(ph.advance(hz)) * hitEnvelope(t, 0.001, 0.13) + click;
  }
  return out;
}

Mono snare(Rng& rng) {
  Mono out(size_t(samples(0.3)));
  Phase ph;
  Biquad band;
  band.bandPass(3200, 0.6);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    out[i] = 0.6f * sine(ph.advance(190)) * hitEnvelope(t, 0.001, 0.045) +
             1.4f * band.process(whiteNoise(rng)) * hitEnvelope(t, 0.001, 0.09);
  }
  return out;
}

Mono clap(Rng& rng) {
  Mono out(size_t(samples(0.3)));
  Biquad band;
  band.bandPass(1300, 1.1);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double burst = std::fmod(t, 0.011);
    float env = t < 0.033 ? hitEnvelope(burst, 0.0005, 0.004) : hitEnvelope(t - 0.033, 0.0005, 0.08);
    out[i] = 2.0f * band.process(whiteNoise(rng)) * env;
  }
  return out;
}

Mono hat(Rng& rng, double decay, double seconds) {
  Mono out(size_t(samples(seconds)));
  Biquad high;
  high.highPass(7500, 0.7);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = high.process(whiteNoise(rng)) * hitEnvelope(double(i) / kRate, 0.0005, decay);
  return out;
}

Mono bass(double hz, double seconds) {
  Mono out(size_t(samples(seconds + 0.03)));
  Phase a, sub;
  Biquad tone;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    if (i % 16 == 0) tone.lowPass(450 + 1800 * std::exp(-t / 0.06), 1.2);
    float raw = 0.7f * saw(a.advance(hz), a.step()) + 0.6f * sine(sub.advance(hz));
    out[i] = tone.process(raw) * gateEnvelope(t, 0.003, seconds - 0.003, 0.03);
  }
  return out;
}

// Detuned pulse voices through a low-pass: chord stabs, pads and the arp.
Mono pulseVoices(double hz, double seconds, double duty, double cutoff, double attack, double release, double decay,
                 int voices) {
  Mono out(size_t(samples(seconds + release)));
  std::vector<Phase> phases(static_cast<size_t>(voices));
  Biquad tone;
  tone.lowPass(cutoff, 0.8);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    float sum = 0;
    for (int v = 0; v < voices; ++v) {
      double detune = voices > 1 ? std::pow(2.0, (v - (voices - 1) / 2.0) * 0.08 / 12) : 1.0;
      Phase& p = phases[size_t(v)];
      sum += pulse(p.advance(hz * detune), p.step(), duty);
    }
    float env = gateEnvelope(t, attack, seconds - attack, release) * float(decay > 0 ? std::exp(-t / decay) : 1.0);
    out[i] = tone.process(sum / float(voices)) * env;
  }
  return out;
}

Mono lead(double hz, double seconds) {
  Mono out(size_t(samples(seconds + 0.06)));
  Phase a, b, vib;
  Biquad tone;
  tone.lowPass(5200, 0.7);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double depth = t < 0.12 ? 0 : std::min(1.0, (t - 0.12) / 0.15) * 0.006;
    double f = hz * (1 + depth * sine(vib.advance(5.8)));
    float raw = 0.6f * pulse(a.advance(f), a.step(), 0.5) + 0.4f * pulse(b.advance(f * 1.003), b.step(), 0.25);
    float env = gateEnvelope(t, 0.005, seconds - 0.005, 0.05) * float(0.75 + 0.25 * std::exp(-t / 0.08));
    out[i] = tone.process(raw) * env;
  }
  return out;
}

// Glockenspiel-like: a sine carrier with a decaying inharmonic modulator.
Mono bell(double hz, double seconds) {
  double ring = std::max(seconds, 0.9);
  Mono out(size_t(samples(ring)));
  Phase carrier, modulator;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double index = 2.5 * std::exp(-t / 0.08);
    double m = sine(modulator.advance(hz * 3.5)) * index;
    out[i] = float(std::sin(2 * kPi * carrier.advance(hz) + m)) * hitEnvelope(t, 0.002, 0.35) *
             float(std::min(1.0, (ring - t) / 0.05));
  }
  return out;
}

Mono render(Instrument instrument, const Note& n, double seconds, Rng& rng) {
  double hz = midiToHz(n.pitch);
  switch (instrument) {
    case Instrument::Kick:
      return kick(rng);
    case Instrument::Snare:
      return snare(rng);
    case Instrument::Clap:
      return clap(rng);
    case Instrument::ClosedHat:
      return hat(rng, 0.022, 0.12);
    case Instrument::OpenHat:
      return hat(rng, 0.12, 0.4);
    case Instrument::Crash:
      return hat(rng, 0.7, 2.0);
    case Instrument::Bass:
      return bass(hz, seconds);
    case Instrument::Stab:
      return pulseVoices(hz, seconds, 0.5, 2600, 0.003, 0.06, 0.25, 2);
    case Instrument::Pad:
      return pulseVoices(hz, seconds, 0.3, 1400, 0.08, 0.35, 0, 3);
    case Instrument::Arp:
      return pulseVoices(hz, seconds, 0.125, 4000, 0.002, 0.04, 0.1, 1);
    case Instrument::Lead:
      return lead(hz, seconds);
    case Instrument::Bell:
      return bell(hz, seconds);
  }
  return {};
}

int semitoneOf(char letter) {
  static const int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (letter < 'A' || letter > 'G') throw std::runtime_error(std::string("bad note letter ") + letter);
  return kSemitones[letter - 'A'];
}

// The note letter and any accidental (# or b) at the start of a name, as a
// semitone above C; `rest` is set to where the name goes on.
int parseRoot(const std::string& name, size_t& rest) {
  int semitone = semitoneOf(name[0]);
  rest = 1;
  if (rest < name.size() && name[rest] == '#') ++semitone, ++rest;
  if (rest < name.size() && name[rest] == 'b') --semitone, ++rest;
  return semitone;
}

// "C#5" -> 73.
int parsePitch(const std::string& name) {
  size_t rest;
  int semitone = parseRoot(name, rest);
  return 12 * (std::stoi(name.substr(rest)) + 1) + semitone;
}

}  // namespace

std::vector<Note> melody(const std::string& text, double startBeat) {
  std::vector<Note> notes;
  std::istringstream in(text);
  std::string token;
  double beat = startBeat;
  while (in >> token) {
    size_t colon = token.find(':');
    if (colon == std::string::npos) throw std::runtime_error("bad melody token " + token);
    double length = std::stod(token.substr(colon + 1)) / 4;
    std::string name = token.substr(0, colon);
    if (name != "-") notes.push_back({beat, length, parsePitch(name), 1.0f});
    beat += length;
  }
  return notes;
}

std::vector<int> chord(const std::string& name, int octave) {
  size_t rest;
  int root = 12 * (octave + 1) + parseRoot(name, rest);
  bool minor = rest < name.size() && name[rest] == 'm';
  return {root, root + (minor ? 3 : 4), root + 7};
}

Loop::Loop(int samplesPerBeat, int bars)
    : beatSamples(samplesPerBeat), dry(size_t(samplesPerBeat) * 4 * bars), echoSend(dry.frames()) {}

void Loop::mix(const Mono& sound, double beat, float gain, float pan, Stereo& into) {
  size_t n = into.frames();
  size_t start = (size_t(std::lround(beat * beatSamples)) + kSeamLead) % n;
  float left = gain * std::sqrt(1 - pan), right = gain * std::sqrt(pan);
  for (size_t i = 0; i < sound.size(); ++i) {
    size_t k = (start + i) % n;  // tails wrap round to the loop start
    into.left[k] += sound[i] * left;
    into.right[k] += sound[i] * right;
  }
}

void Loop::play(Instrument instrument, const Note& note, float gain, float pan) {
  double seconds = note.length * beatSamples / kRate;
  mix(render(instrument, note, seconds, noise), note.beat, gain * note.velocity, pan, dry);
}

void Loop::playEchoed(Instrument instrument, const std::vector<Note>& notes, float gain, float pan) {
  for (const Note& n : notes) {
    double seconds = n.length * beatSamples / kRate;
    Mono sound = render(instrument, n, seconds, noise);
    mix(sound, n.beat, gain * n.velocity, pan, dry);
    mix(sound, n.beat, gain * n.velocity, pan, echoSend);
  }
}

Stereo Loop::finish() {
  size_t n = dry.frames();
  size_t delay = size_t(std::lround(kEchoBeats * beatSamples));
  // Feedback echo run twice round the loop so the repeats wrap seamlessly;
  // left and right cross over for a ping-pong spread.
  Stereo echo(n);
  for (size_t pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < n; ++i) {
      size_t from = (i + n - delay) % n;
      echo.left[i] = echoSend.right[from] * kEchoLevel + echo.right[from] * kEchoFeedback;
      echo.right[i] = echoSend.left[from] * kEchoLevel + echo.left[from] * kEchoFeedback;
    }
  }
  Stereo out = dry;
  for (size_t i = 0; i < n; ++i) {
    out.left[i] += echo.left[i];
    out.right[i] += echo.right[i];
  }
  reverb(out, 0.72f, 0.12f, true);
  scaleToPeak(out, 1.0f);
  softClip(out.left, 1.4f);
  softClip(out.right, 1.4f);
  scaleToPeak(out, kLoudest);
  return out;
}

}  // namespace music
