// A USB dance pad stand-in: an SDL virtual joystick with the buttons, hats and
// axes a kind of real pad has, plugged in for the object's lifetime (or until
// detach()). Its vendor and product make its GUID, so two kinds of pad get two
// saved mappings. set*() change what the device reports; the reader sees it at
// its next poll. deviceReads() lets SDL take the device's report now, as the
// driver of a real pad takes each USB report as it arrives, so a press and a
// release both land between two polls of the game.
#pragma once

#include <SDL.h>

#include <string>

namespace testpad {

struct PadKind {
  const char* name = "Test Dance Pad";
  int buttons = 10;
  int hats = 0;
  int axes = 0;
  Uint16 vendor = 0x1234;
  Uint16 product = 0x0001;
};

class VirtualPad {
 public:
  explicit VirtualPad(const PadKind& kind = {}) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_DANCE_PAD;
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

}  // namespace testpad
