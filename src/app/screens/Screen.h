// A screen: one file each. App keeps one current screen and runs every frame
// through it in a fixed order: update with the frame's input, then draw. A
// screen never switches itself: its update says which screen comes next, and
// App makes the switch (leave the old, enter the new) before anything is drawn.
#pragma once

#include "input/FrameInput.h"

enum class ScreenId { None, Slides, PadSetup, Game, Results };

// What a screen's update asks for: its own id to stay, or the screen to show
// from this frame's drawing on, with what that screen needs to begin.
struct NextScreen {
  ScreenId id = ScreenId::None;
  int pad = 0;  // the pad setup's pad
};

class Screen {
 public:
  virtual ~Screen() = default;

  virtual void enter(const NextScreen&) {}
  virtual NextScreen update(float dt, const FrameInput& input) = 0;
  virtual void draw() = 0;
  virtual void leave() {}

  // A screen that draws a pad indicator of its own hides the common one; one
  // that takes Escape for its own keeps it from leaving full screen or quitting.
  virtual bool drawsOwnIndicator() const { return false; }
  virtual bool takesEscape() const { return false; }

  // A screen that moves is drawn every refresh; a still one only when its
  // picture changes: with the input, a switch, the window, or a look of its
  // own that the latest update changed.
  virtual bool moves() const { return true; }
  virtual bool lookChanged() { return false; }
};
