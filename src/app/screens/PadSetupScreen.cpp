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

bool PadSetupScreen::lookChanged() {
  hud::PadSetupText text = hud::padSetupText(setup_);
  std::string words = text.title + '\n' + text.request + '\n' + text.status + '\n' + text.hint;
  if (words == shownWords_) return false;
  shownWords_ = words;
  return true;
}
