// A tiny sequencer for seamless music loops: notes are rendered by simple
// synthesised instruments into a circular stereo buffer whose length is a
// whole number of bars, so anything ringing past the end sounds at the start.
#pragma once

#include <string>
#include <vector>

#include "synth.h"

namespace music {

enum class Instrument { Kick, Snare, Clap, ClosedHat, OpenHat, Crash, Bass, Stab, Pad, Arp, Lead, Bell };

struct Note {
  double beat;     // start, in beats from the loop start
  double length;   // beats
  int pitch;       // MIDI note number; ignored by drums
  float velocity;  // 0..1
};

// "E5:3 -:1 G#4:2": note names (or - for a rest) with lengths in sixteenths,
// placed one after another from startBeat.
std::vector<Note> melody(const std::string& text, double startBeat);

// A triad symbol such as "C", "Am" or "F#m" as MIDI pitches in the given
// octave: root, third, fifth.
std::vector<int> chord(const std::string& name, int octave);

class Loop {
 public:
  Loop(int samplesPerBeat, int bars);  // 4 beats to the bar

  void play(Instrument instrument, const Note& note, float gain, float pan);  // pan 0 left .. 1 right
  // Sends a note to the echo bus as well as the mix (for the lead).
  void playEchoed(Instrument instrument, const std::vector<Note>& notes, float gain, float pan);
  // Echo, room, gentle limiting and level; all effects wrap around the loop.
  synth::Stereo finish();

 private:
  void mix(const synth::Mono& sound, double beat, float gain, float pan, synth::Stereo& into);

  int beatSamples;
  synth::Stereo dry, echoSend;
  Rng noise{0x5EED};
};

}  // namespace music
