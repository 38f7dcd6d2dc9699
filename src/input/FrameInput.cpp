#include "input/FrameInput.h"

// Only pad 0 also answers from the keyboard.
bool PadFrame::pressed(int button, int pad) const {
  if (pad < 0 || pad >= kMaxPads) return false;
  return sources[pad].wentDown(button) || (pad == 0 && sources[kKeyboard].wentDown(button));
}

bool PadFrame::released(int button, int pad) const {
  if (pad < 0 || pad >= kMaxPads) return false;
  return sources[pad].wentUp(button) || (pad == 0 && sources[kKeyboard].wentUp(button));
}

bool PadFrame::held(int button, int pad) const {
  if (pad < 0 || pad >= kMaxPads) return false;
  return sources[pad].isHeld(button) || (pad == 0 && sources[kKeyboard].isHeld(button));
}

FrameInput FrameInput::standing() const {
  FrameInput still;
  still.pads.devices = pads.devices;
  for (int source = 0; source < PadFrame::kSources; ++source) still.pads.sources[source].held = pads.sources[source].held;
  return still;
}
