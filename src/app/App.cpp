#include "app/App.h"

#include <GL/freeglut.h>

#include "app/FrameTimer.h"
#include "app/Slideshow.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "game/VictimCrowd.h"
#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "media/FontManager.h"
#include "media/SoundBank.h"
#include "objects/Arena.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "render/FrameCheck.h"
#include "render/Render.h"

namespace {

constexpr int kIntroSlide = 2;        // the intro music starts with the third picture
constexpr float kFieldOfView = 60;    // degrees, vertical

}  // namespace

App& App::instance() {
  static App* app = new App;
  return *app;
}

void App::init() {
  screen_ = None;
  FrameTimer::instance().start();
  FontManager::instance().load(assets::kFont, 24);
  KeyboardState::instance().init();  // opens the dance pads
  PadInput::instance().init();
  SoundBank::instance().initAudio();
  FontManager::instance().load(assets::kFont, 32);  // replaces the first load: all text is 32
  for (const char* slide : assets::kSlides) slideshow.addImage(slide);
  Camera::instance().setFieldOfView(kFieldOfView);
  arena.load();
  victimCrowd.preloadTextures();  // so spawning a wave reads no image file
  footManager.load();
  StompWorld::instance().init();
  setClearColor(assets::kSkyColour.r / 255.0f, assets::kSkyColour.g / 255.0f, assets::kSkyColour.b / 255.0f);
  introClip.path = assets::kIntroClip;
  loopClip.path = assets::kLoopClip;
  screen_ = Slides;
}

void App::update(float dt) {
  KeyboardState::instance().tick(dt);  // first, so every input edge is seen in exactly one update
  if (screen_ == Slides) updateSlides();
  if (screen_ == Game) updateGame(dt);
}

void App::updateSlides() {
  bool step = PadInput::instance().pressed(kButtonStart, 0) || KeyboardState::instance().mousePressed(0);
  if (!step) return;
  slideshow.advance();
  if (slideshow.finished()) {
    startGame();
  } else if (slideshow.currentIndex() == kIntroSlide) {
    introClip.play(true);
    introClip.setVolume(kMusicVolume);
  }
}

void App::startGame() {
  slideshow.deleteTextures();
  screen_ = Game;
  loopClip.play(true);
  loopClip.setVolume(kMusicVolume);
  introClip.stop();
}

void App::updateGame(float dt) {
  StompWorld::instance().update(dt);
  arena.update(dt);
  victimCrowd.update(dt);
  footManager.update(dt);
  Camera::instance().update(dt);
}

void App::render() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (screen_ == Slides) slideshow.draw();
  if (screen_ == Game) renderGame();
  PadInput::instance().drawIndicator();  // on every screen
  glutSwapBuffers();
}

void App::renderGame() {
  Camera::instance().draw();
  arena.draw();
  victimCrowd.drawGround();  // decals first, depth test off, so bodies always cover them
  footManager.drawGround();
  victimCrowd.drawBodies();
  footManager.draw();
  StompWorld::instance().drawScore();
}

void App::displayFrame() {
  MatrixStackDepths before = matrixStackDepths();
  glPushMatrix();
  FrameTimer::instance().tick();
  update(FrameTimer::instance().frameDelta());
  render();
  glPopMatrix();
  checkFrameState(before);  // debug builds stop at the first frame that leaks GL state
}

void App::idle() {
  if (glutGetWindow() != mainWindow_) glutSetWindow(mainWindow_);
  glutPostRedisplay();
}
