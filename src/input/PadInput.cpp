#include "input/PadInput.h"

#include <GL/freeglut.h>

namespace {

struct ButtonBinding {
  int padSlot;        // dance pad slot
  unsigned char key;  // keyboard key for pad 0; 0 for none, which typing never produces
};

// Squares row by row from the top left as the player faces the screen, then
// Start and Select. The centre square shares the pad's Start slot.
constexpr ButtonBinding kBindings[kPadButtons] = {
    {2, 'q'}, {3, 'w'}, {4, 'e'}, {9, 'a'}, {0, 0}, {5, 'd'},
    {8, 'z'}, {7, 'x'}, {6, 'c'}, {0, '3'}, {1, '1'},
};
constexpr ButtonBinding kUnbound = {0, 0};  // any other button index

constexpr unsigned char kEnterKey = '\r';
constexpr unsigned char kEscapeKey = 27;
constexpr unsigned char kVolumeDownKey = '-';
constexpr unsigned char kVolumeUpKeys[] = {'=', '+'};  // one key on most layouts, with Shift or without
constexpr unsigned char kMuteKey = 'm';

const ButtonBinding& bindingOf(int button) {
  return button >= 0 && button < kPadButtons ? kBindings[button] : kUnbound;
}

// A button's states from a pair of reads: on now, and on in the read before.
void setButton(ButtonStates& states, int button, bool now, bool before) {
  uint16_t bit = ButtonStates::bit(button);
  if (now && !before) states.pressed |= bit;
  if (!now && before) states.released |= bit;
  if (now) states.held |= bit;
}

ButtonStates keyboardButtons(const KeyboardState& keys) {
  ButtonStates states;
  for (int button = 0; button < kPadButtons; ++button) {
    unsigned char key = PadInput::keyOf(button);
    uint16_t bit = ButtonStates::bit(button);
    if (keys.keyPressed(key)) states.pressed |= bit;
    if (keys.keyReleased(key)) states.released |= bit;
    if (keys.keyHeld(key)) states.held |= bit;
  }
  return states;
}

}  // namespace

PadInput& PadInput::instance() {
  static PadInput* input = new PadInput;  // never destroyed, like every manager
  return *input;
}

int PadInput::padSlotOf(int button) { return bindingOf(button).padSlot; }
unsigned char PadInput::keyOf(int button) { return bindingOf(button).key; }

PadFrame padFrameOf(const DancePad& pads) {
  PadFrame frame;
  for (int pad = 0; pad < kMaxPads; ++pad) {
    for (int button = 0; button < kPadButtons; ++button) {
      int slot = PadInput::padSlotOf(button);
      setButton(frame.sources[pad], button, pads.current[pad][slot], pads.previous[pad][slot]);
    }
  }
  return frame;
}

FrameInput readFrameInput(const KeyboardState& keys) {
  FrameInput input;
  input.pads = padFrameOf(keys.dancePad);
  input.pads.sources[PadFrame::kKeyboard] = keyboardButtons(keys);
  input.click = keys.mousePressed(0);
  input.setupKey = keys.specialPressed(GLUT_KEY_F2);
  input.escape = keys.keyPressed(kEscapeKey);
  input.fullScreenKey = keys.specialPressed(GLUT_KEY_F11) || keys.keyPressedWithAlt(kEnterKey);
  input.volumeDown = keys.keyPressed(kVolumeDownKey);
  input.volumeUp = keys.keyPressed(kVolumeUpKeys[0]) || keys.keyPressed(kVolumeUpKeys[1]);
  input.muteKey = keys.keyPressed(kMuteKey);
  return input;
}

void PadInput::read(const KeyboardState& keys) { frame_ = readFrameInput(keys); }
