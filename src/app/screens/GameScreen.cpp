#include "app/screens/GameScreen.h"

#include "app/App.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "objects/Arena.h"
#include "objects/Camera.h"
#include "objects/FloorDecals.h"
#include "objects/Foot.h"
#include "objects/StandingOrder.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"

void GameScreen::load() { loopClip_.path = assets::kLoopClip; }

void GameScreen::enter(const NextScreen&) {
  StompWorld::instance().startRound();
  if (playing_) return;
  playing_ = true;
  loopClip_.play(true);
  loopClip_.setVolume(App::kMusicVolume);
}

// The rules first: they decide the stomps the others then show.
NextScreen GameScreen::update(float dt, const FrameInput& input) {
  StompWorld::instance().update(dt, input.pads);
  arena.update(dt);
  victimCrowd.update(dt);
  footManager.update(dt);
  Camera::instance().update(dt);
  return {StompWorld::instance().roundOver() ? ScreenId::Results : ScreenId::Game};
}

void GameScreen::draw() {
  drawScene();
  markPass(passes::kScore);
  StompWorld::instance().drawScore();
}

void GameScreen::drawScene() const {
  Camera::instance().draw();
  floorDecals.follow(victimCrowd);  // the splatter in the floor before the floor is drawn
  arena.draw();
  victimCrowd.drawGround();  // decals first, depth test off, so bodies always cover them
  footManager.drawGround();
  if (fillShortcutAllowed(FillShortcut::StandingOrder)) {
    drawStandingFarToNear(victimCrowd, footManager);
  } else {
    victimCrowd.drawBodies();
    footManager.draw();
  }
}
