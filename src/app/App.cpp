#include "app/App.h"

#include <GL/freeglut.h>

#include "app/FrameTimer.h"
#include "app/Slideshow.h"
#include "app/Window.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "game/VictimCrowd.h"
#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "input/PadSetupScreen.h"
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
constexpr unsigned char kEnterKey = '\r';
constexpr unsigned char kEscapeKey = 27;

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
  updateWindow();                      // full screen and quitting work on every screen
  switch (screen_) {                   // one screen's rules per update, chosen as it begins
    case Slides: updateSlides(dt); break;
    case PadSetupScreen: updatePadSetup(dt); break;
    case Game: updateGame(dt); break;
    case None: break;
  }
}

// F11 or Alt+Enter toggle full screen; Escape leaves it, or, in a window, ends
// the game; on the pad setup screen Escape belongs to the setup.
void App::updateWindow() {
  KeyboardState& keys = KeyboardState::instance();
  if (keys.specialPressed(GLUT_KEY_F11) || keys.keyPressedWithAlt(kEnterKey)) {
    toggleFullScreen();
  } else if (keys.keyPressed(kEscapeKey) && screen_ != PadSetupScreen) {
    if (isFullScreen())
      toggleFullScreen();
    else
      endGame();
  }
}

void App::updateSlides(float dt) {
  int setupPad = selectHold_.update(KeyboardState::instance().dancePad, dt);
  if (KeyboardState::instance().specialPressed(GLUT_KEY_F2)) setupPad = 0;
  if (setupPad >= 0) {
    openPadSetup(setupPad);
    return;
  }
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

void App::openPadSetup(int pad) {
  padSetup_.begin(KeyboardState::instance().dancePad, pad);
  screen_ = PadSetupScreen;
}

// Escape or F2 cancels; when the setup ends, however it ends, the slides come
// back on the picture they showed, and Select counts again from its release.
void App::updatePadSetup(float dt) {
  KeyboardState& keys = KeyboardState::instance();
  if (keys.specialPressed(GLUT_KEY_F2) || keys.keyPressed(kEscapeKey))
    padSetup_.cancel();
  else
    padSetup_.update(dt);
  if (padSetup_.running()) return;
  selectHold_.rearm();
  screen_ = Slides;
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
  if (screen_ == PadSetupScreen)
    drawPadSetupScreen(padSetup_);  // its own large indicator
  else
    PadInput::instance().drawIndicator();  // on every other screen
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
  MatrixStackDepths before = frameCheckStart();
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
