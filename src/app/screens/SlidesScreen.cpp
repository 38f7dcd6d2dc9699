#include "app/screens/SlidesScreen.h"

#include "app/App.h"
#include "core/Assets.h"

namespace {

constexpr int kIntroSlide = 2;  // the intro music starts with the third picture

}  // namespace

void SlidesScreen::load() {
  for (const char* slide : assets::kSlides) slideshow_.addImage(slide);
  introClip_.path = assets::kIntroClip;
}

NextScreen SlidesScreen::update(float dt, const FrameInput& input) {
  int setupPad = selectHold_.update(input.pads, dt);
  if (input.setupKey) setupPad = 0;
  if (setupPad >= 0) {
    selectHold_.rearm();  // back on the slides, Select counts again from its release
    return {ScreenId::PadSetup, setupPad};
  }
  if (!input.pads.pressed(kButtonStart, 0) && !input.click) return {ScreenId::Slides};
  slideshow_.advance();
  if (slideshow_.finished()) return {ScreenId::Game};
  if (slideshow_.currentIndex() == kIntroSlide) {
    introClip_.play(true);
    introClip_.setVolume(App::kMusicVolume);
  }
  return {ScreenId::Slides};
}

void SlidesScreen::draw() { slideshow_.draw(); }

// Leaving for the pad setup keeps everything; leaving for the game, the
// pictures are shown no more.
void SlidesScreen::leave() {
  if (!slideshow_.finished()) return;
  slideshow_.deleteTextures();
  introClip_.stop();
}
