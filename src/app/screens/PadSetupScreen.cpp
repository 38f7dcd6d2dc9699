#include "app/screens/PadSetupScreen.h"

#include "app/hud/Hud.h"

NextScreen PadSetupScreen::update(float dt, const FrameInput& input) {
  if (input.setupKey || input.escape)
    setup_.cancel();
  else
    setup_.update(dt);
  return {setup_.running() ? ScreenId::PadSetup : ScreenId::Slides};
}

void PadSetupScreen::draw() { hud::drawPadSetup(setup_); }
