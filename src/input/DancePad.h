// DancePad: up to four USB dance pads read through SDL2's joystick subsystem.
// Once per frame poll() keeps, per pad, the ten pad slots from the latest read
// and the read before it; PadInput derives press and release edges from them.
// Pads plugged in while the game runs are opened by the next poll; a pad that
// goes away has its slots turned off and its number freed.
#pragma once

#include <SDL_joystick.h>

constexpr int kMaxPads = 4;
constexpr int kPadSlots = 10;

class DancePad {
 public:
  DancePad() = default;
  ~DancePad();
  DancePad(const DancePad&) = delete;
  DancePad& operator=(const DancePad&) = delete;

  void open();
  void poll();
  void printTransitions() const;

  bool current[kMaxPads][kPadSlots] = {};   // slot states of each pad's latest successful read
  bool previous[kMaxPads][kPadSlots] = {};  // the read before that
  bool traceTransitions = false;            // diagnostic: print slot changes after each read

 private:
  void openNewPads();
  void dropDetachedPads();
  int lowestFreePad() const;
  bool isOpen(SDL_JoystickID id) const;
  void readPad(int pad);

  bool joystickReady_ = false;                  // SDL's joystick subsystem initialised by open()
  SDL_Joystick* joysticks_[kMaxPads] = {};      // by pad number; null while the number is free
  SDL_JoystickID ids_[kMaxPads] = {};           // instance id of each open pad
};

// "Start", "Select", "UpLeft", ...; "" for any other slot number.
const char* buttonName(int slot);
