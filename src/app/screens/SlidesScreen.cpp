#include "app/screens/SlidesScreen.h"

#include <malloc.h>

#include "app/App.h"
#include "app/hud/Hud.h"
#include "core/Assets.h"
#include "game/StompWorld.h"

namespace {

constexpr int kIntroSlide = 2;  // the intro music starts with the third picture

}  // namespace

void SlidesScreen::load() {
  for (const char* slide : assets::kSlides) slideshow_.addImage(slide);
  introClip_.path = assets::kIntroClip;
}

NextScreen SlidesScreen::update(float dt, const FrameInput& input) {
  if (shown_) slideshow_.decodeAhead();
  int setupPad = selectHold_.update(input.pads, dt);
  if (input.setupKey) setupPad = 0;
  if (setupPad >= 0) {
    selectHold_.rearm();  // back on the slides, Select counts again from its release
    return {ScreenId::PadSetup, setupPad};
  }
  StompWorld& world = StompWorld::instance();
  // The players' Start as they stood before this frame's joins: a press that joins steps nothing.
  bool step = input.click || world.party().anyPressed(kButtonStart, input.pads);
  world.joinPlayers(input.pads);
  world.party().dropAway();  // before a round there is no score to keep for a pad pulled out
  if (!step) return {ScreenId::Slides};
  slideshow_.advance();
  if (slideshow_.finished()) return {ScreenId::Game};
  if (slideshow_.currentIndex() == kIntroSlide) {
    introClip_.play(true);
    introClip_.setVolume(App::kMusicVolume);
  }
  return {ScreenId::Slides};
}

void SlidesScreen::draw() {
  slideshow_.draw();
  shown_ = true;
  hud::drawJoinStrip(StompWorld::instance().party());
}

// Leaving for the pad setup keeps everything; leaving for the game, the
// pictures are shown no more.
void SlidesScreen::leave() {
  if (!slideshow_.finished()) return;
  slideshow_.deleteTextures();
  introClip_.stop();
  // The pictures were decoded on worker threads, whose heaps keep what is
  // freed into them: their free pages go back to the system here, once.
  malloc_trim(0);
}
