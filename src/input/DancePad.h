// DancePad: up to four USB dance pads read through SDL2's joystick subsystem.
// Once per frame poll() keeps, per pad, the ten pad slots from the latest read
// and the read before it; PadInput derives press and release edges from them.
#pragma once

constexpr int kMaxPads = 4;
constexpr int kPadSlots = 10;

class DancePad {
 public:
  void open();
  void poll();
  void printTransitions() const;

  bool current[kMaxPads][kPadSlots] = {};   // slot states of each pad's latest successful read
  bool previous[kMaxPads][kPadSlots] = {};  // the read before that
  bool traceTransitions = false;            // diagnostic: print slot changes after each read
};

// "Start", "Select", "UpLeft", ...; "" for any other slot number.
const char* buttonName(int slot);
