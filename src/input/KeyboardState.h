// KeyboardState: GLUT input events turned into per-frame state. Callbacks only
// record; tick() ages the one-frame flags and polls the dance pads, so every
// edge is visible in exactly one update.
#pragma once

#include "input/DancePad.h"

class KeyboardState {
 public:
  static KeyboardState& instance();

  void init();
  void tick(float dt);

  void onMouseMove(int x, int y);
  void onMouseButton(int button, int state, int x, int y);
  void onKeyDown(unsigned char key, int x, int y);
  void onKeyUp(unsigned char key, int x, int y);
  void onSpecialDown(int key, int x, int y);
  void onSpecialUp(int key, int x, int y);

  bool keyHeld(unsigned char key) const;
  bool keyPressed(unsigned char key) const;
  bool keyReleased(unsigned char key) const;
  bool mousePressed(int button) const;

  DancePad dancePad;  // opened by init, polled at the end of every tick
};
