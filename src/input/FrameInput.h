// The frame's input as a value: read once at the start of every frame, then
// handed to the screen and the rules, which ask no device themselves.
#pragma once

#include <array>
#include <cstdint>

#include "input/PadMapping.h"

// The eleven pad buttons: 0 to 8 the squares row by row from the top left as
// the player faces the screen (4 the centre), then Start and Select.
constexpr int kPadButtons = 11;
constexpr int kCentreButton = 4;
constexpr int kButtonStart = 9;
constexpr int kButtonSelect = 10;

// One source's buttons in one frame; bit b is pad button b.
struct ButtonStates {
  uint16_t pressed = 0;   // went down this frame
  uint16_t released = 0;  // went up this frame
  uint16_t held = 0;      // down as the frame's read left it

  // A button outside 0..10 is asked as the centre square, as the pad tables have it.
  static uint16_t bit(int button) { return uint16_t(1u << (button >= 0 && button < kPadButtons ? button : kCentreButton)); }
  bool wentDown(int button) const { return pressed & bit(button); }
  bool wentUp(int button) const { return released & bit(button); }
  bool isHeld(int button) const { return held & bit(button); }
  bool operator==(const ButtonStates&) const = default;
};

// Which device a pad number holds this frame: a player keeps their own pad by
// it, and knows it again by its kind (GUID) when it is plugged back in.
struct PadDevice {
  int32_t id = -1;                // SDL's instance ID; -1 while the number is free
  std::array<char, 33> guid{};    // SDL's joystick GUID string, the kind of device
  bool connected() const { return id >= 0; }
  bool operator==(const PadDevice&) const = default;
};

// The buttons of every source: the four pad numbers, the keyboard's letter
// keys, and its navigation keys, which play as one more pad.
struct PadFrame {
  static constexpr int kKeyboard = kMaxPads;
  static constexpr int kNavigationKeys = kMaxPads + 1;
  static constexpr int kSources = kMaxPads + 2;

  std::array<ButtonStates, kSources> sources{};
  std::array<PadDevice, kMaxPads> devices{};  // by pad number

  // About a pad number, as the game has always asked: pad 0 answers for the
  // keyboard as well; a number outside 0..3 answers false.
  bool pressed(int button, int pad) const;
  bool released(int button, int pad) const;
  bool held(int button, int pad) const;
  bool operator==(const PadFrame&) const = default;
};

// What the shell's keys and the mouse did this frame, beside the pad buttons.
struct FrameInput {
  PadFrame pads;
  bool click = false;          // the left mouse button went down
  bool setupKey = false;       // F2: pad 0's setup, or cancelling it
  bool escape = false;         // leaves full screen, quits, or cancels the pad setup
  bool fullScreenKey = false;  // F11, or Enter with Alt
  bool volumeDown = false;     // -
  bool volumeUp = false;       // = or +
  bool muteKey = false;        // M: mutes, and unmutes
  bool operator==(const FrameInput&) const = default;

  // The input as it stands between events: what is held, and which pads are in.
  FrameInput standing() const;
};
