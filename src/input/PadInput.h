// PadInput: the eleven pad buttons the game asks about (nine squares, Start,
// Select), read once per frame from the dance pads and, for pad 0, the
// keyboard, into the frame's input value.
#pragma once

#include "input/FrameInput.h"
#include "input/KeyboardState.h"

class PadInput {
 public:
  static PadInput& instance();

  // Once per frame, right after KeyboardState::tick: the frame's input from the
  // keyboard, the mouse and the pads the keyboard state polled.
  void read(const KeyboardState& keys);
  const FrameInput& frame() const { return frame_; }

  bool pressed(int button, int pad) const { return frame_.pads.pressed(button, pad); }
  bool released(int button, int pad) const { return frame_.pads.released(button, pad); }
  // Held on pad 0 or its key: the indicator draws it large.
  bool lit(int button) const { return frame_.pads.held(button, 0); }

  static int padSlotOf(int button);
  static unsigned char keyOf(int button);

 private:
  FrameInput frame_;
};

// The frame's input as the keyboard state's latest tick (and the pads it
// polled) leave it.
FrameInput readFrameInput(const KeyboardState& keys);
// Each pad's buttons from its latest two reads (the keyboard's source left empty).
PadFrame padFrameOf(const DancePad& pads);
