// KeyboardState: GLUT input events turned into per-frame state. Callbacks only
// record, in arrival order; tick() hands the recorded events to the frame that
// starts and polls the dance pads. Every press and release reaches exactly one
// update: a tap between two frames is a press and a release in the same update,
// and an edge that would hide an earlier one waits for the next update.
#pragma once

#include <deque>

#include "input/DancePad.h"

class KeyboardState {
 public:
  static KeyboardState& instance();

  void init();
  void tick(float dt);
  // A key, button or pad event waits for the next tick.
  bool eventsWaiting() { return !events_.empty() || dancePad.eventsWaiting(); }
  // The latest tick handed its frame a key or mouse event, any at all.
  bool eventsDelivered() const { return delivered_; }

  void onMouseMove(int x, int y);
  void onMouseButton(int button, int state, int x, int y);
  void onKeyDown(unsigned char key, int x, int y);
  void onKeyUp(unsigned char key, int x, int y);
  void onSpecialDown(int key, int x, int y);
  void onSpecialUp(int key, int x, int y);

  // Letters answer in either case: Caps Lock or Shift never hides a key.
  bool keyHeld(unsigned char key) const;
  bool keyPressed(unsigned char key) const;
  bool keyReleased(unsigned char key) const;
  // Alt was down when this frame's press of the key happened.
  bool keyPressedWithAlt(unsigned char key) const;
  // GLUT special-key codes (GLUT_KEY_F11, GLUT_KEY_LEFT, ...).
  bool specialHeld(int key) const;
  bool specialPressed(int key) const;
  bool specialReleased(int key) const;
  bool mousePressed(int button) const;

  DancePad dancePad;  // opened by init, polled at the end of every tick

 private:
  static constexpr int kMouseButtons = 3;  // left, middle, right
  static constexpr int kKeyCodes = 128;    // character codes 0..127 and special keys 0..127; others are ignored

  struct KeyRecord {
    bool held = false;         // key is down
    bool pressed = false;      // went down, seen by this frame only
    bool released = false;     // went up, seen by this frame only
    bool altAtPress = false;   // Alt was down at the press this frame sees
  };

  enum class Device { Key, Special, Mouse };
  struct Event {
    Device device;
    int code;        // character code, special-key code or mouse button
    bool down;
    int modifiers;   // GLUT_ACTIVE_* bits at the event; key-down and click only
  };

  int readModifiers();  // GLUT_ACTIVE_* bits, also kept in shift_, ctrl_, alt_
  void record(Device device, int code, bool down, int modifiers);
  KeyRecord& recordOf(Device device, int code);
  bool apply(const Event& event);
  void deliverEvents();
  static unsigned char folded(unsigned char key);
  static bool inKeyTable(int key) { return key >= 0 && key < kKeyCodes; }
  static bool isMouseButton(int button) { return button >= 0 && button < kMouseButtons; }

  float mouseX_ = 0, mouseY_ = 0;                 // window pixels, last reported by GLUT
  bool shift_ = false, ctrl_ = false, alt_ = false;  // modifiers at the latest key-down or click
  KeyRecord keys_[kKeyCodes];
  KeyRecord specialKeys_[kKeyCodes];
  KeyRecord mouse_[kMouseButtons];
  std::deque<Event> events_;  // recorded since the latest tick, or held back by it; arrival order
  bool delivered_ = false;    // the latest tick applied an event
};
