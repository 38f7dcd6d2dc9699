#include "input/KeyboardState.h"

#include <GL/freeglut.h>

#include <cstdio>

KeyboardState& KeyboardState::instance() {
  static KeyboardState* state = new KeyboardState;  // never destroyed, like every manager
  return *state;
}

void KeyboardState::init() { dancePad.open(); }

void KeyboardState::tick(float dt) {
  for (int b = 0; b < kMouseButtons; ++b) {
    if (mouseSinceEvent_[b] != 0) {
      mousePressed_[b] = false;
      mouseReleased_[b] = false;
    }
    mouseSinceEvent_[b] += dt;
  }
  for (KeyRecord& key : keys_) {
    if (key.fresh) {
      key.fresh = false;  // its edge belongs to the frame that starts now
    } else {
      key.pressed = false;
      key.released = false;
    }
  }
  dancePad.poll();
}

void KeyboardState::readModifiers() {
  int modifiers = glutGetModifiers();
  shift_ = modifiers & GLUT_ACTIVE_SHIFT;
  ctrl_ = modifiers & GLUT_ACTIVE_CTRL;
  alt_ = modifiers & GLUT_ACTIVE_ALT;
}

void KeyboardState::onMouseMove(int x, int y) {
  mouseX_ = static_cast<float>(x);
  mouseY_ = static_cast<float>(y);
}

void KeyboardState::onMouseButton(int button, int state, int x, int y) {
  if (!isMouseButton(button)) return;  // wheel and extra buttons
  readModifiers();
  onMouseMove(x, y);
  bool down = state == GLUT_DOWN;
  mouseHeld_[button] = down;
  mousePressed_[button] = down;
  mouseReleased_[button] = !down;
  mouseSinceEvent_[button] = 0;
}

void KeyboardState::onKeyDown(unsigned char key, int, int) {
  readModifiers();
  if (inKeyTable(key)) keys_[key] = {.held = true, .pressed = true, .released = false, .fresh = true};
}

void KeyboardState::onKeyUp(unsigned char key, int, int) {
  if (inKeyTable(key)) keys_[key] = {.held = false, .pressed = false, .released = true, .fresh = true};
}

void KeyboardState::onSpecialDown(int key, int, int) {
  readModifiers();
  std::printf("\nkeyboard SPECIAL down: %d", key);
}

void KeyboardState::onSpecialUp(int, int, int) {}

bool KeyboardState::keyHeld(unsigned char key) const { return inKeyTable(key) && keys_[key].held; }
bool KeyboardState::keyPressed(unsigned char key) const { return inKeyTable(key) && keys_[key].pressed; }
bool KeyboardState::keyReleased(unsigned char key) const { return inKeyTable(key) && keys_[key].released; }

bool KeyboardState::mousePressed(int button) const { return isMouseButton(button) && mousePressed_[button]; }
