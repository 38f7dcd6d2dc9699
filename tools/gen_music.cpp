// Composes and renders the two music loops into <out>/audio (default ./res):
// a light 8-bar intro for the how-to-play slides and a 24-bar party tune for
// the game. At 126 beats per minute a beat is exactly 21000 samples, so
// every loop is a whole number of bars and sample-exact.
// Usage: gen_music [out-dir]
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "audiofile.h"
#include "core/Assets.h"
#include "music.h"

using music::Instrument;
using music::Loop;
using music::Note;

namespace {

constexpr int kSamplesPerBeat = synth::kRate * 60 / 126;
constexpr int kMusicKbps = 128;

// Bell tune of the intro, one line per bar.
const char* const kIntroTune =
    "-:16 "
    "-:8 E5:2 G5:2 A5:4 "
    "-:16 "
    "-:8 G5:2 A5:2 B5:4 "
    "E5:4 G5:4 C6:4 G5:4 "
    "A5:4 E5:4 C5:4 E5:4 "
    "F5:4 A5:4 C6:4 A5:4 "
    "G5:4 B5:4 D6:4 B5:2 G5:2";

// Lead tune of the game clip, one line per bar.
const char* const kGameTune =
    // verse
    "E5:3 E5:1 G5:2 E5:2 C5:2 D5:2 E5:4 "
    "D5:3 D5:1 G5:2 D5:2 B4:2 C5:2 D5:4 "
    "C5:3 C5:1 E5:2 C5:2 A4:2 B4:2 C5:2 E5:2 "
    "F5:4 E5:2 D5:2 C5:4 -:4 "
    "E5:3 E5:1 G5:2 E5:2 C5:2 D5:2 E5:4 "
    "D5:3 D5:1 G5:2 D5:2 B4:2 C5:2 D5:4 "
    "C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 D5:2 "
    "C5:8 -:4 G4:2 A4:2 "
    // chorus
    "A5:4 G5:2 F5:2 E5:4 C5:4 "
    "D5:4 G5:4 B5:4 A5:2 G5:2 "
    "G5:4 E5:4 B4:4 E5:2 G5:2 "
    "A5:6 G5:2 E5:4 C5:4 "
    "F5:2 F5:2 A5:2 F5:2 C6:4 A5:4 "
    "B5:2 B5:2 D6:2 B5:2 G5:4 F5:4 "
    "E5:4 G5:2 C6:6 -:4 "
    "-:8 G5:2 E5:2 D5:2 B4:2 "
    // bridge
    "C6:2 -:2 G5:2 -:2 E5:2 G5:2 C6:4 "
    "B5:2 -:2 G5:2 -:2 D5:2 G5:2 B5:4 "
    "A5:2 -:2 E5:2 -:2 C5:2 E5:2 A5:4 "
    "A5:3 G5:1 F5:2 E5:2 F5:4 -:4 "
    "E5:3 E5:1 G5:2 E5:2 C5:2 D5:2 E5:4 "
    "D5:3 D5:1 G5:2 D5:2 B4:2 C5:2 D5:4 "
    "C5:2 F5:2 A5:2 C6:2 A5:4 F5:4 "
    "G5:4 D5:2 B4:2 D5:2 F5:2 D5:2 B4:2";

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> out;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    if (end > at) out.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return out;
}

// A 16-step pattern per bar: 'x' hit, 'X' accented hit, '.' nothing.
void drums(Loop& loop, Instrument drum, const std::string& steps, int firstBar, int lastBar, float gain, float pan) {
  for (int bar = firstBar; bar <= lastBar; ++bar) {
    for (size_t s = 0; s < steps.size(); ++s) {
      if (steps[s] == '.') continue;
      float velocity = steps[s] == 'X' ? 1.0f : 0.7f;
      loop.play(drum, {bar * 4 + s / 4.0, 0.25, 0, velocity}, gain, pan);
    }
  }
}

// Octave-jumping eighth notes on each bar's chord root.
void octaveBass(Loop& loop, const std::vector<std::string>& chords, int firstBar, float gain) {
  for (size_t b = 0; b < chords.size(); ++b) {
    int root = music::chord(chords[b], 2)[0];
    for (int e = 0; e < 8; ++e)
      loop.play(Instrument::Bass, {(firstBar + int(b)) * 4 + e * 0.5, 0.4, root + (e % 2) * 12, 1}, gain, 0.5f);
  }
}

// The chord on every off-beat eighth.
void offbeatStabs(Loop& loop, const std::vector<std::string>& chords, int firstBar, float gain) {
  for (size_t b = 0; b < chords.size(); ++b)
    for (int pitch : music::chord(chords[b], 4))
      for (int e = 0; e < 4; ++e)
        loop.play(Instrument::Stab, {(firstBar + int(b)) * 4 + e + 0.5, 0.3, pitch, 1}, gain, 0.62f);
}

void pads(Loop& loop, const std::vector<std::string>& chords, int firstBar, float gain) {
  for (size_t b = 0; b < chords.size(); ++b)
    for (int pitch : music::chord(chords[b], 4))
      loop.play(Instrument::Pad, {(firstBar + int(b)) * 4.0, 3.8, pitch, 1}, gain, 0.5f);
}

// Sixteenth-note arpeggio up and down the chord over two octaves.
void arpeggio(Loop& loop, const std::vector<std::string>& chords, int firstBar, float gain, float pan) {
  for (size_t b = 0; b < chords.size(); ++b) {
    std::vector<int> c = music::chord(chords[b], 5);
    int order[8] = {c[0] - 12, c[1] - 12, c[2] - 12, c[0], c[1], c[2], c[0], c[1] - 12};
    for (int s = 0; s < 16; ++s)
      loop.play(Instrument::Arp, {(firstBar + int(b)) * 4 + s * 0.25, 0.2, order[s % 8], s % 4 == 0 ? 1.0f : 0.7f},
                gain, pan);
  }
}

synth::Stereo introLoop() {
  Loop loop(kSamplesPerBeat, 8);
  std::vector<std::string> chords = split("C Am F G C Am F G");
  arpeggio(loop, chords, 0, 0.22f, 0.65f);
  pads(loop, chords, 0, 0.16f);
  for (size_t b = 0; b < chords.size(); ++b) {
    int root = music::chord(chords[b], 2)[0];
    for (int q = 0; q < 4; ++q)
      loop.play(Instrument::Bass, {b * 4.0 + q, 0.75, root + (q == 3 ? 12 : 0), 1}, 0.5f, 0.5f);
  }
  drums(loop, Instrument::Kick, "X.......X.......", 0, 7, 0.9f, 0.5f);
  drums(loop, Instrument::ClosedHat, "x.x.x.x.x.x.x.X.", 0, 7, 0.22f, 0.4f);
  drums(loop, Instrument::Snare, "............X...", 0, 6, 0.4f, 0.5f);
  drums(loop, Instrument::Clap, "....x.......x...", 4, 6, 0.35f, 0.5f);
  drums(loop, Instrument::Snare, "........x.x.xxxX", 7, 7, 0.45f, 0.5f);
  loop.playEchoed(Instrument::Bell, music::melody(kIntroTune, 0), 0.32f, 0.5f);
  return loop.finish();
}

synth::Stereo gameLoop() {
  Loop loop(kSamplesPerBeat, 24);
  std::vector<std::string> verse = split("C G Am F C G Am F");
  std::vector<std::string> chorus = split("F G Em Am F G C C");
  std::vector<std::string> bridge = split("C G Am F C G F G");
  int at = 0;
  for (const auto* section : {&verse, &chorus, &bridge}) {
    octaveBass(loop, *section, at, 0.45f);
    offbeatStabs(loop, *section, at, 0.13f);
    at += int(section->size());
  }
  pads(loop, chorus, 8, 0.1f);
  arpeggio(loop, chorus, 8, 0.12f, 0.3f);
  arpeggio(loop, bridge, 16, 0.12f, 0.3f);
  drums(loop, Instrument::Kick, "X...X...X...X...", 0, 23, 1.0f, 0.5f);
  drums(loop, Instrument::Snare, "....X.......X...", 0, 22, 0.45f, 0.5f);
  drums(loop, Instrument::Snare, "....X.......xxXX", 23, 23, 0.45f, 0.5f);
  drums(loop, Instrument::Clap, "....x.......x...", 8, 23, 0.3f, 0.5f);
  drums(loop, Instrument::ClosedHat, "x.x.x.x.x.x.x.x.", 0, 7, 0.2f, 0.35f);
  drums(loop, Instrument::ClosedHat, "xxXxxxXxxxXxxxXx", 8, 23, 0.18f, 0.35f);
  drums(loop, Instrument::OpenHat, "..x...x...x...x.", 0, 23, 0.16f, 0.65f);
  for (int bar : {0, 8, 16}) loop.play(Instrument::Crash, {bar * 4.0, 1, 0, 1}, 0.22f, 0.55f);
  loop.playEchoed(Instrument::Lead, music::melody(kGameTune, 0), 0.3f, 0.5f);
  return loop.finish();
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : assets::kResourceDir;
  try {
    std::string intro = out + "/" + assets::underResourceDir(assets::kIntroClip);
    std::string game = out + "/" + assets::underResourceDir(assets::kLoopClip);
    synth::writeLoopMp3(intro, introLoop(), kMusicKbps);
    std::printf("%s\n", intro.c_str());
    synth::writeLoopMp3(game, gameLoop(), kMusicKbps);
    std::printf("%s\n", game.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen_music: %s\n", e.what());
    return 1;
  }
  return 0;
}
