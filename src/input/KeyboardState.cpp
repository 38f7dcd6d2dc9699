#include "input/KeyboardState.h"

#include <GL/freeglut.h>

#include <cctype>
#include <cstdio>

#include "core/Log.h"

KeyboardState& KeyboardState::instance() {
  static KeyboardState* state = new KeyboardState;  // never destroyed, like every manager
  return *state;
}

void KeyboardState::init() { dancePad.open(); }

void KeyboardState::tick(float) {
  for (KeyRecord* table : {keys_, specialKeys_}) {
    for (int code = 0; code < kKeyCodes; ++code) table[code].pressed = table[code].released = false;
  }
  for (KeyRecord& button : mouse_) button.pressed = button.released = false;
  deliverEvents();
  dancePad.poll();
}

// Hands the recorded events to the frame that starts, in arrival order. A record
// takes one press and one release per frame, the press first (a tap); an event
// that would hide an edge the frame already has waits for the next frame, and
// so does every later event of the same key, so nothing is lost or reordered.
void KeyboardState::deliverEvents() {
  delivered_ = false;
  if (events_.empty()) return;  // most frames: nothing happened
  std::deque<Event> waiting;
  for (const Event& event : events_) {
    bool keyWaits = false;
    for (const Event& w : waiting) keyWaits = keyWaits || (w.device == event.device && w.code == event.code);
    if (keyWaits || !apply(event)) waiting.push_back(event);
  }
  delivered_ = waiting.size() < events_.size();
  events_ = std::move(waiting);
}

bool KeyboardState::apply(const Event& event) {
  KeyRecord& record = recordOf(event.device, event.code);
  if (event.down) {
    if (record.pressed || record.released) return false;
    record.held = record.pressed = true;
    record.altAtPress = event.modifiers & GLUT_ACTIVE_ALT;
  } else {
    if (record.released) return false;
    record.held = false;
    record.released = true;
  }
  return true;
}

KeyboardState::KeyRecord& KeyboardState::recordOf(Device device, int code) {
  switch (device) {
    case Device::Key: return keys_[code];
    case Device::Special: return specialKeys_[code];
    case Device::Mouse: break;
  }
  return mouse_[code];
}

void KeyboardState::record(Device device, int code, bool down, int modifiers) {
  events_.push_back({device, code, down, modifiers});
}

int KeyboardState::readModifiers() {
  int modifiers = glutGetModifiers();
  shift_ = modifiers & GLUT_ACTIVE_SHIFT;
  ctrl_ = modifiers & GLUT_ACTIVE_CTRL;
  alt_ = modifiers & GLUT_ACTIVE_ALT;
  return modifiers;
}

// With Caps Lock or Shift, "q" arrives as "Q", and a key pressed with Shift may
// be released without it: letters are kept under their lower case.
unsigned char KeyboardState::folded(unsigned char key) {
  return key < kKeyCodes ? static_cast<unsigned char>(std::tolower(key)) : key;
}

void KeyboardState::onMouseMove(int x, int y) {
  mouseX_ = static_cast<float>(x);
  mouseY_ = static_cast<float>(y);
}

void KeyboardState::onMouseButton(int button, int state, int x, int y) {
  if (!isMouseButton(button)) return;  // wheel and extra buttons
  int modifiers = readModifiers();
  onMouseMove(x, y);
  record(Device::Mouse, button, state == GLUT_DOWN, modifiers);
}

void KeyboardState::onKeyDown(unsigned char key, int, int) {
  int modifiers = readModifiers();
  if (inKeyTable(key)) record(Device::Key, folded(key), true, modifiers);
}

void KeyboardState::onKeyUp(unsigned char key, int, int) {
  if (inKeyTable(key)) record(Device::Key, folded(key), false, 0);
}

void KeyboardState::onSpecialDown(int key, int, int) {
  int modifiers = readModifiers();
  logTrace("\nkeyboard SPECIAL down: %d", key);
  if (inKeyTable(key)) record(Device::Special, key, true, modifiers);
}

void KeyboardState::onSpecialUp(int key, int, int) {
  if (inKeyTable(key)) record(Device::Special, key, false, 0);
}

bool KeyboardState::keyHeld(unsigned char key) const { return inKeyTable(key) && keys_[folded(key)].held; }
bool KeyboardState::keyPressed(unsigned char key) const { return inKeyTable(key) && keys_[folded(key)].pressed; }
bool KeyboardState::keyReleased(unsigned char key) const { return inKeyTable(key) && keys_[folded(key)].released; }

bool KeyboardState::keyPressedWithAlt(unsigned char key) const {
  return keyPressed(key) && keys_[folded(key)].altAtPress;
}

bool KeyboardState::specialHeld(int key) const { return inKeyTable(key) && specialKeys_[key].held; }
bool KeyboardState::specialPressed(int key) const { return inKeyTable(key) && specialKeys_[key].pressed; }
bool KeyboardState::specialReleased(int key) const { return inKeyTable(key) && specialKeys_[key].released; }
bool KeyboardState::mousePressed(int button) const { return isMouseButton(button) && mouse_[button].pressed; }
