// DancePad: up to four USB dance pads read through SDL2's joystick subsystem.
// Each device's buttons, hat directions and axis directions are its inputs; a
// mapping per device (saved by SDL's joystick GUID, else the layout SDL knows
// for a game controller, else the default) says which inputs feed each of the
// ten pad slots. Once per frame poll() drains
// SDL's joystick events, so an input that goes on and off between two polls is
// still seen, and keeps, per pad, the ten slots from the latest read and the
// read before it; PadInput derives press and release edges from them. A slot
// changes at most once per read: a tap shorter than a frame reads on in one
// poll and off in the next. Pads plugged in while the game runs are opened by
// the next poll; a pad that goes away has its slots turned off and its number
// freed. One reader per process: it takes SDL's joystick events for itself.
#pragma once

#include <SDL_joystick.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "input/PadMapping.h"
#include "input/PadMappingFile.h"

class DancePad {
 public:
  DancePad() = default;
  ~DancePad();
  DancePad(const DancePad&) = delete;
  DancePad& operator=(const DancePad&) = delete;

  // Starts SDL's joystick subsystem, reads the saved mappings and opens the pads.
  void open();
  void poll();
  // SDL holds joystick events for the next poll: a pad changed, came or went.
  bool eventsWaiting();
  void printTransitions() const;

  bool current[kMaxPads][kPadSlots] = {};   // slot states of each pad's latest read
  bool previous[kMaxPads][kPadSlots] = {};  // the read before that
  bool traceTransitions = false;            // diagnostic: print slot changes after each read

  // About the device behind a pad number; a free number has no device.
  bool connected(int pad) const { return device(pad) && device(pad)->joystick; }
  SDL_JoystickID instanceId(int pad) const;  // -1 for a free number
  std::string deviceName(int pad) const;
  std::string guid(int pad) const;  // "" for a free number
  PadMapping mapping(int pad) const;  // the defaults for a free number
  // The pad's inputs that came on during the latest poll, in the order they came on.
  const std::vector<PadInputId>& inputsCameOn(int pad) const;

  // Gives the pad's device, and every open device with the same GUID, the
  // mapping from now on, and saves it. False (with a line on stderr) if the
  // file could not be written; the mapping applies for this run all the same.
  bool setMapping(int pad, const PadMapping& mapping);

 private:
  static constexpr size_t kMaxPending = 8;  // slot changes kept for later reads: four taps

  struct Device {
    SDL_Joystick* joystick = nullptr;  // null while the pad number is free
    SDL_JoystickID id = -1;
    std::string name, guid;
    PadMapping mapping;
    std::vector<bool> buttons;  // each input as the latest event or read left it
    std::vector<int> hats;      // SDL hat bits
    std::vector<int> axes;      // -32768..32767
    bool slotOn[kPadSlots] = {};           // the slots as the inputs stand now
    std::deque<bool> pending[kPadSlots];   // slot states still to be read out, one per poll
    std::vector<PadInputId> cameOn;        // inputs that came on in this poll
  };

  const Device* device(int pad) const { return pad >= 0 && pad < kMaxPads ? &devices_[pad] : nullptr; }
  Device* deviceById(SDL_JoystickID id);
  void readEvents();
  void openNewPads();
  void openDevice(int pad, SDL_Joystick* joystick, SDL_JoystickID id, const std::optional<PadMapping>& layout);
  void dropDetachedPads();
  int lowestFreePad() const;
  void readPad(int pad);

  // Input changes, from events or from reading the device's state.
  static void setButton(Device& d, int index, bool down, bool record = true);
  static void setHat(Device& d, int index, int bits, bool record = true);
  static void setAxis(Device& d, int index, int value, bool record = true);
  static void syncWithDevice(Device& d, bool record = true);
  static void refreshSlots(Device& d);
  static bool inputOn(const Device& d, const PadInputId& input);

  bool joystickReady_ = false;  // SDL's joystick subsystem initialised by open()
  Device devices_[kMaxPads];    // by pad number
  PadMappingFile mappingFile_{""};
};
