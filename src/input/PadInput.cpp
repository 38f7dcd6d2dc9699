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

// The navigation keys as one more pad, laid out as a pad is: Home, Up, Page Up;
// Left, Right; End, Down, Page Down. Insert is Start, which the centre square
// shares as it does on a pad; Delete is Select. With Num Lock off the numeric
// keypad sends the same keys (its Delete as GLUT_KEY_DELETE, the main one as a character).
constexpr int kNavigationKeys[kPadButtons] = {
    GLUT_KEY_HOME, GLUT_KEY_UP,   GLUT_KEY_PAGE_UP,   GLUT_KEY_LEFT,   GLUT_KEY_INSERT, GLUT_KEY_RIGHT,
    GLUT_KEY_END,  GLUT_KEY_DOWN, GLUT_KEY_PAGE_DOWN, GLUT_KEY_INSERT, GLUT_KEY_DELETE,
};
constexpr unsigned char kDeleteCharacter = 127;

constexpr unsigned char kEnterKey = '\r';
constexpr unsigned char kEscapeKey = 27;
constexpr unsigned char kVolumeDownKey = '-';
constexpr unsigned char kVolumeUpKeys[] = {'=', '+'};  // one key on most layouts, with Shift or without
constexpr unsigned char kMuteKey = 'm';

const ButtonBinding& bindingOf(int button) {
  return button >= 0 && button < kPadButtons ? kBindings[button] : kUnbound;
}

void setButton(ButtonStates& states, int button, bool pressed, bool released, bool held) {
  uint16_t bit = ButtonStates::bit(button);
  if (pressed) states.pressed |= bit;
  if (released) states.released |= bit;
  if (held) states.held |= bit;
}

ButtonStates letterButtons(const KeyboardState& keys) {
  ButtonStates states;
  for (int button = 0; button < kPadButtons; ++button) {
    unsigned char key = PadInput::keyOf(button);
    setButton(states, button, keys.keyPressed(key), keys.keyReleased(key), keys.keyHeld(key));
  }
  return states;
}

ButtonStates navigationButtons(const KeyboardState& keys) {
  ButtonStates states;
  for (int button = 0; button < kPadButtons; ++button) {
    int key = kNavigationKeys[button];
    bool del = button == kButtonSelect;
    setButton(states, button, keys.specialPressed(key) || (del && keys.keyPressed(kDeleteCharacter)),
                 keys.specialReleased(key) || (del && keys.keyReleased(kDeleteCharacter)),
                 keys.specialHeld(key) || (del && keys.keyHeld(kDeleteCharacter)));
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
    frame.devices[pad].id = pads.instanceId(pad);
    pads.guid(pad).copy(frame.devices[pad].guid.data(), frame.devices[pad].guid.size() - 1);
    for (int button = 0; button < kPadButtons; ++button) {
      int slot = PadInput::padSlotOf(button);
      bool now = pads.current[pad][slot], before = pads.previous[pad][slot];
      setButton(frame.sources[pad], button, now && !before, !now && before, now);
    }
  }
  return frame;
}

FrameInput readFrameInput(const KeyboardState& keys) {
  FrameInput input;
  input.pads = padFrameOf(keys.dancePad);
  input.pads.sources[PadFrame::kKeyboard] = letterButtons(keys);
  input.pads.sources[PadFrame::kNavigationKeys] = navigationButtons(keys);
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
