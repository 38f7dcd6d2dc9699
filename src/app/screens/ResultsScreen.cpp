#include "app/screens/ResultsScreen.h"

#include "app/hud/Hud.h"
#include "game/StompWorld.h"

void ResultsScreen::enter(const NextScreen&) { StompWorld::instance().cheerRound(); }

NextScreen ResultsScreen::update(float, const FrameInput& input) {
  bool next = StompWorld::instance().party().anyPressed(kButtonStart, input.pads);
  return {next ? ScreenId::Game : ScreenId::Results};
}

void ResultsScreen::draw() {
  game_.drawScene();
  hud::drawResults(StompWorld::instance());
}
