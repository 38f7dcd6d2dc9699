#include "input/DancePad.h"

#include <SDL.h>

#include <cstdio>

namespace {

struct SlotBinding {
  const char* name;
  int button;  // the joystick button that feeds the slot
};

constexpr SlotBinding kSlots[kPadSlots] = {
    {"Start", 8}, {"Select", 9},    {"UpLeft", 6}, {"Up", 2},       {"UpRight", 7},
    {"Right", 3}, {"DownRight", 5}, {"Down", 1},   {"DownLeft", 4}, {"Left", 0},
};

// Button numbers a device does not have read as off (checked here so SDL does
// not record an error for them every frame).
bool buttonDown(SDL_Joystick* joystick, int button) {
  return button < SDL_JoystickNumButtons(joystick) && SDL_JoystickGetButton(joystick, button) != 0;
}

}  // namespace

const char* buttonName(int slot) { return slot >= 0 && slot < kPadSlots ? kSlots[slot].name : ""; }

DancePad::~DancePad() {
  if (!joystickReady_) return;
  for (SDL_Joystick* joystick : joysticks_)
    if (joystick) SDL_JoystickClose(joystick);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

// Joysticks only, no SDL video: the window belongs to GLUT, so SDL must read pads
// without a focused window of its own and must leave Ctrl-C and SIGTERM alone.
// A failure leaves the game on the keyboard.
void DancePad::open() {
  if (joystickReady_) return;
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;
  SDL_JoystickEventState(SDL_IGNORE);  // states are read directly; nobody drains an event queue
  joystickReady_ = true;
  openNewPads();
}

// SDL_JoystickUpdate reads the open pads and notices pads plugged in or pulled out.
// A number freed in this poll is reused at the next one at the earliest, so the
// pulled pad's slots read off for one frame and every held slot is released once.
void DancePad::poll() {
  if (!joystickReady_) return;
  SDL_JoystickUpdate();
  openNewPads();  // SDL reads a pad's buttons as it opens it
  dropDetachedPads();
  for (int pad = 0; pad < kMaxPads; ++pad) readPad(pad);
  if (traceTransitions) printTransitions();
}

// Opens attached devices that are not open yet, in device order, into the lowest
// free pad numbers; devices beyond four wait until a number is free.
void DancePad::openNewPads() {
  for (int device = 0; device < SDL_NumJoysticks(); ++device) {
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
    if (id < 0 || isOpen(id)) continue;
    int pad = lowestFreePad();
    if (pad < 0) break;
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    if (!joystick) continue;  // tried again at the next poll
    joysticks_[pad] = joystick;
    ids_[pad] = id;
  }
}

void DancePad::dropDetachedPads() {
  for (SDL_Joystick*& joystick : joysticks_) {
    if (joystick && !SDL_JoystickGetAttached(joystick)) {
      SDL_JoystickClose(joystick);
      joystick = nullptr;
    }
  }
}

int DancePad::lowestFreePad() const {
  for (int pad = 0; pad < kMaxPads; ++pad)
    if (!joysticks_[pad]) return pad;
  return -1;
}

bool DancePad::isOpen(SDL_JoystickID id) const {
  for (int pad = 0; pad < kMaxPads; ++pad)
    if (joysticks_[pad] && ids_[pad] == id) return true;
  return false;
}

// A free pad number reads as a pad with nothing pressed.
void DancePad::readPad(int pad) {
  SDL_Joystick* joystick = joysticks_[pad];
  for (int slot = 0; slot < kPadSlots; ++slot) {
    previous[pad][slot] = current[pad][slot];
    current[pad][slot] = joystick && buttonDown(joystick, kSlots[slot].button);
  }
}

void DancePad::printTransitions() const {
  for (int pad = 0; pad < kMaxPads; ++pad) {
    char label[16];
    std::snprintf(label, sizeof label, "Pad %d", pad);
    for (int slot = 0; slot < kPadSlots; ++slot) {
      if (current[pad][slot] && !previous[pad][slot]) std::printf("\n%s: %s on", label, buttonName(slot));
      if (!current[pad][slot] && previous[pad][slot]) std::printf("\n%s: %s off", label, buttonName(slot));
    }
  }
}
