// The pad setup screen: the pad square indicator drawn large with the square
// the setup asks for lit, and lines of text in the game's font saying what to do.
#pragma once

#include "input/PadSetup.h"

void drawPadSetupScreen(const PadSetup& setup);

// The screen's lines of text, top to bottom; empty lines are not drawn.
struct PadSetupText {
  std::string title;    // which device
  std::string request;  // "Step on the lit square: Up"
  std::string status;   // the step count and time left, or that an input is taken
  bool taken = false;   // status tells that the input is already taken
  std::string hint;     // how to leave
};
PadSetupText padSetupText(const PadSetup& setup);
