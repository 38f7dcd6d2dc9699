// The HUD: what is drawn over the screens in window pixels, from what the
// rules and the input expose: the score lines, the pad square indicator in
// the bottom-right corner, and the pad setup's own screen.
#pragma once

#include <string>

#include "game/StompWorld.h"
#include "input/FrameInput.h"
#include "input/PadSetup.h"

namespace hud {

// The indicator's square picture; once, after the window exists.
void load();

// Three tilted lines in the top-left corner: the run's best stomp, the last
// one, and the best of all runs.
void drawScore(const StompWorld& world);

// The 3 by 3 grid with Select and Start bars above its outer columns; buttons
// held on pad 0 or its keys are drawn larger.
void drawIndicator(const PadFrame& pads);

// The pad setup: the indicator drawn large with the square the setup asks for
// lit in gold, and what to do, in words.
void drawPadSetup(const PadSetup& setup);

// The pad setup screen's lines of text, top to bottom; empty lines are not drawn.
struct PadSetupText {
  std::string title;    // which device
  std::string request;  // "Step on the lit square: Up"
  std::string status;   // the step count and time left, or that an input is taken
  bool taken = false;   // status tells that the input is already taken
  std::string hint;     // how to leave
};
PadSetupText padSetupText(const PadSetup& setup);

}  // namespace hud
