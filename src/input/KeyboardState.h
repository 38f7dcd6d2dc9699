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

 private:
  static constexpr int kMouseButtons = 3;  // left, middle, right
  static constexpr int kKeyCodes = 128;    // character codes 0..127; others are ignored

  struct KeyRecord {
    bool held = false;      // key is down
    bool pressed = false;   // went down since the previous tick
    bool released = false;  // went up since the previous tick
    bool fresh = false;     // an event arrived after the latest tick
  };

  void readModifiers();
  static bool inKeyTable(unsigned char key) { return key < kKeyCodes; }
  static bool isMouseButton(int button) { return button >= 0 && button < kMouseButtons; }

  float mouseX_ = 0, mouseY_ = 0;                 // window pixels, last reported by GLUT
  bool mouseHeld_[kMouseButtons] = {};
  bool mousePressed_[kMouseButtons] = {};         // went down since the previous tick
  bool mouseReleased_[kMouseButtons] = {};        // went up since the previous tick
  float mouseSinceEvent_[kMouseButtons] = {};     // seconds since the button's last event; 0 = this frame
  bool shift_ = false, ctrl_ = false, alt_ = false;  // modifiers at the latest key-down or click
  KeyRecord keys_[kKeyCodes];
};
