// A USB dance pad stand-in: an SDL virtual joystick with the buttons, hats and
// axes a kind of real pad has, plugged in for the object's lifetime (or until
// detach()). Its vendor and product make its GUID, so two kinds of pad get two
// saved mappings. set*() change what the device reports; the reader sees it at
// its next poll. deviceReads() lets SDL take the device's report now, as the
// driver of a real pad takes each USB report as it arrives, so a press and a
// release both land between two polls of the game. Also: a pad the default
// mapping does not know, and the walk that answers the pad setup on a pad.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "input/PadSetup.h"

namespace testpad {

struct PadKind {
  const char* name = "Test Dance Pad";
  int buttons = 10;
  int hats = 0;
  int axes = 0;
  Uint16 vendor = 0x1234;
  Uint16 product = 0x0001;
  SDL_JoystickType type = SDL_JOYSTICK_TYPE_DANCE_PAD;  // a game controller gets SDL's own layout for it
};

class VirtualPad {
 public:
  explicit VirtualPad(const PadKind& kind = {}) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = static_cast<Uint16>(kind.type);
    desc.nbuttons = static_cast<Uint16>(kind.buttons);
    desc.nhats = static_cast<Uint16>(kind.hats);
    desc.naxes = static_cast<Uint16>(kind.axes);
    desc.vendor_id = kind.vendor;
    desc.product_id = kind.product;
    desc.name = kind.name;
    int device = SDL_JoystickAttachVirtualEx(&desc);
    id_ = SDL_JoystickGetDeviceInstanceID(device);
    handle_ = SDL_JoystickOpen(device);  // setting inputs needs a handle
  }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;
  ~VirtualPad() {
    if (handle_) SDL_JoystickClose(handle_);
    detach();
  }

  bool ok() const { return handle_ != nullptr; }
  std::string guid() const {
    char text[33] = "";
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(handle_), text, sizeof text);
    return text;
  }

  // Lets go of the test's handle, so the device is plugged in but opened by no
  // one, like a real pad the reader has not seen yet.
  void letGo() {
    SDL_JoystickClose(handle_);
    handle_ = nullptr;
  }
  void set(int button, bool down) { SDL_JoystickSetVirtualButton(handle_, button, down ? 1 : 0); }
  void setHat(int hat, Uint8 bits) { SDL_JoystickSetVirtualHat(handle_, hat, bits); }
  void setAxis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(handle_, axis, value); }
  static void deviceReads() { SDL_JoystickUpdate(); }
  void detach() {
    for (int device = 0; device < SDL_NumJoysticks(); ++device)
      if (SDL_JoystickGetDeviceInstanceID(device) == id_) SDL_JoystickDetachVirtual(device);
  }

 private:
  SDL_JoystickID id_ = -1;
  SDL_Joystick* handle_ = nullptr;
};

// A pad whose arrows are buttons 12 to 15, Start 10 and Select 11: nothing the
// default mapping knows.
inline const PadKind kOddPad{.name = "Odd Pad", .buttons = 16, .product = 0x0012};
namespace oddpad {
constexpr int kLeft = 12, kDown = 13, kUp = 14, kRight = 15, kStart = 10, kSelect = 11;
}  // namespace oddpad

// An answer to a setup step that gives no input, so the step times out.
constexpr int kSkip = -1;

// The odd pad's buttons stepped on, in the setup's order.
inline const std::vector<int> kOddPadAnswers = {
    oddpad::kUp, oddpad::kRight, oddpad::kDown, oddpad::kLeft,  // the arrows
    kSkip,       kSkip,          kSkip,         kSkip,          // the diagonals: it has none
    oddpad::kStart, oddpad::kSelect};

// Answers the setup's steps in turn, one entry each: a button stepped on (down
// for a frame, up for a frame), or kSkip. frame(seconds) runs one frame of the
// game: the pads read, then the setup updated.
inline void answerSetup(VirtualPad& pad, const PadSetup& setup, const std::vector<int>& answers,
                        const std::function<void(float seconds)>& frame) {
  constexpr float kFrame = 1 / 60.f;
  constexpr float kSlowFrame = 0.125f;  // the longest frame the game runs
  for (int button : answers) {
    if (button != kSkip) {
      for (bool down : {true, false}) {
        pad.set(button, down);
        frame(kFrame);
      }
      continue;
    }
    // Slow frames until the step moves on, for no longer than its time-out.
    int step = setup.step();
    for (int i = 0; i * kSlowFrame < PadSetup::kStepSeconds && setup.step() == step && setup.running(); ++i)
      frame(kSlowFrame);
  }
}

}  // namespace testpad
