// The pad setup as a screen: the player steps on the squares it asks for, on
// the pad being set up. Escape or F2 cancels; however it ends, the slides
// come back.
#pragma once

#include "app/screens/Screen.h"
#include <string>

#include "input/PadSetup.h"

class PadSetupScreen : public Screen {
 public:
  explicit PadSetupScreen(DancePad& pads) : pads_(pads) {}

  void enter(const NextScreen& next) override { setup_.begin(pads_, next.pad); }
  NextScreen update(float dt, const FrameInput& input) override;
  void draw() override;

  bool drawsOwnIndicator() const override { return true; }
  bool takesEscape() const override { return true; }
  // Still but for its words: the step asked for and the seconds left.
  bool moves() const override { return false; }
  bool lookChanged() override;

  const PadSetup& setup() const { return setup_; }

 private:
  DancePad& pads_;  // the pads being read; the setup gives one of them its mapping
  PadSetup setup_;
  std::string shownWords_;  // the setup's lines of text as of the latest update
};
