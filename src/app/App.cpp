#include "app/App.h"

#include <GL/freeglut.h>

#include <chrono>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/Desktop.h"
#include "app/FrameTimer.h"
#include "app/Window.h"
#include "app/hud/Hud.h"
#include "app/hud/VolumeBar.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "input/PadInput.h"
#include "media/FontManager.h"
#include "media/SoundBank.h"
#include "media/Texture.h"
#include "objects/Arena.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "render/FrameCheck.h"
#include "render/Render.h"

namespace {

constexpr float kFieldOfView = 60;  // degrees, vertical

// The first slide, then the game screen's pictures, in the order init and the
// pieces after the first frame load them.
std::vector<std::string> picturesInLoadingOrder() {
  std::vector<std::string> paths = {assets::kSlides[0], assets::kFloor};
  paths.insert(paths.end(), std::begin(assets::kSkylines), std::end(assets::kSkylines));
  paths.insert(paths.end(),
               {assets::kVictimHead, assets::kVictimBody, assets::kVictimArm, assets::kShadow, assets::kSplatter});
  paths.insert(paths.end(), std::begin(assets::kFeet), std::end(assets::kFeet));
  return paths;
}

double monotonicMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

App& App::instance() {
  static App* app = new App;
  return *app;
}

App::App() : padSetup_(KeyboardState::instance().dancePad) {}

void App::useSettings(const std::string& path, const Options& options) {
  settingsFile_ = SettingsFile(path);
  saved_ = settingsFile_.load();
  Settings run = options.over(saved_);
  volume_.set(run.volume, run.muted);
  fullScreen_ = run.fullScreen;
}

// SDL opens the pads and the sound device through helpers it may fork. A fork
// while a worker thread holds the allocator's lock leaves the child stuck (the
// sanitizers' allocator takes no care of forks) and the game waiting on it: the
// devices open before any worker starts.
void App::openDevices() {
  if (devicesOpen_) return;
  devicesOpen_ = true;
  KeyboardState::instance().init();  // opens the dance pads
  SoundBank::instance().initAudio();
}

void App::decodePicturesAhead() { TextureRegistry::instance().prefetch(picturesInLoadingOrder(), 0); }

void App::init() {
  FrameTimer::instance().start();
  openDevices();
  FontManager::instance().load(assets::kFont, 32);  // all text is drawn at 32, scaled
  hud::load();
  StompWorld& world = StompWorld::instance();
  world.setInputSource([]() -> const PadFrame& { return PadInput::instance().frame().pads; });
  world.setScoreDrawer(hud::drawScore);
  slides_.load();
  Camera::instance().setFieldOfView(kFieldOfView);
  setClearColor(assets::kSkyColour.r / 255.0f, assets::kSkyColour.g / 255.0f, assets::kSkyColour.b / 255.0f);
  game_.load();
  piecesToLoad_ = {
      [] { StompWorld::instance().loadSounds(); },
      [] { arena.load(); },
      [] {
        victimCrowd.preloadTextures();  // so spawning a wave reads no image file
        footManager.load();
      },
      [] { StompWorld::instance().spawnWave(); },
  };
  pacer_.start(displayRefreshHz(), swapIntervalSet());
  switchTo({ScreenId::Slides});
}

void App::update(float dt) {
  if (framesDrawn_ > 0) loadNextPiece();  // the game screen's, once the first slide shows
  FrameInput input = readInput(dt);  // so every input edge is seen in exactly one update
  StompWorld::instance().party().track(input.pads);  // whose pad is whose, before anyone plays
  updateWindow(input);               // full screen, quitting and the volume work on every screen
  updateVolume(input, dt);
  if (current_) switchTo(current_->update(dt, input));
  noteChanges(input);
}

// What makes a still screen's picture stale: the input (a held button lights
// the indicator; any key or click is drawn for, so whoever pressed it sees the
// frame it reached), a look of the screen's own, the volume bar coming or going.
void App::noteChanges(const FrameInput& input) {
  inputChanged_ = KeyboardState::instance().eventsDelivered() || !(input == lastInput_.standing());
  lastInput_ = input;
  bool bar = volume_.barSecondsLeft() > 0;
  if (inputChanged_ || bar != barShown_ || (current_ && current_->lookChanged())) stale_ = true;
  barShown_ = bar;
}

FrameInput App::readInput(float dt) {
  KeyboardState::instance().tick(dt);  // also polls the dance pads
  PadInput::instance().read(KeyboardState::instance());
  return PadInput::instance().frame();
}

// F11 or Alt+Enter toggle full screen; Escape leaves it, or, in a window, ends
// the game, unless the screen takes Escape for its own. The window follows the
// player's wish here, the first frame's included.
void App::updateWindow(const FrameInput& input) {
  if (input.fullScreenKey) {
    keepFullScreen(!fullScreen_);
  } else if (input.escape && !(current_ && current_->takesEscape())) {
    if (fullScreen_)
      keepFullScreen(false);
    else
      endGame();
  }
  if (fullScreen_ != isFullScreen()) toggleFullScreen();
}

void App::keepFullScreen(bool on) {
  fullScreen_ = on;
  saved_.fullScreen = on;
  settingsFile_.save(saved_);
}

void App::updateVolume(const FrameInput& input, float dt) {
  if (!volume_.update(input, dt)) return;
  saved_.volume = volume_.percent();
  saved_.muted = volume_.muted();
  settingsFile_.save(saved_);
}

void App::loadNextPiece() {
  if (piecesToLoad_.empty()) return;
  piecesToLoad_.front()();
  piecesToLoad_.pop_front();
}

void App::switchTo(const NextScreen& next) {
  if (next.id == screenId_) return;
  if (next.id != ScreenId::Slides)
    while (!piecesToLoad_.empty()) loadNextPiece();
  if (current_) current_->leave();
  screenId_ = next.id;
  current_ = screenOf(next.id);
  stale_ = true;
  if (current_) current_->enter(next);
}

Screen* App::screenOf(ScreenId id) {
  switch (id) {
    case ScreenId::Slides: return &slides_;
    case ScreenId::PadSetup: return &padSetup_;
    case ScreenId::Game: return &game_;
    case ScreenId::Results: return &results_;
    case ScreenId::None: break;
  }
  return nullptr;
}

void App::render() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (current_) current_->draw();
  markPass(passes::kIndicators);
  if (current_ && !current_->drawsOwnIndicator())
    hud::drawIndicators(StompWorld::instance().party(), PadInput::instance().frame().pads);
  markPass(passes::kVolumeBar);
  if (volume_.barSecondsLeft() > 0) hud::drawVolumeBar(volume_.percent(), volume_.muted());
  glutSwapBuffers();
}

void App::runUpdate() {
  if (windowSizePending()) {
    stale_ = true;
    pacer_.setRefreshHz(displayRefreshHz());  // the window may have moved to another output
  }
  applyWindowSize();  // the reshape callback only records the size
  FrameTimer::instance().tick();
  update(FrameTimer::instance().frameDelta());
}

void App::displayFrame() {
  MatrixStackDepths before = frameCheckStart();
  pacer_.frameStarted(monotonicMs(), !slept_);
  slept_ = false;
  if (!updated_) runUpdate();
  updated_ = false;
  glPushMatrix();
  render();
  glPopMatrix();
  stale_ = false;
  ++framesDrawn_;
  checkFrameState(before);  // debug builds stop at the first frame that leaks GL state
}

// A screen that moves runs whole frames, one per refresh, or at once for
// input waiting. A still screen is updated at every poll and drawn only when
// its picture went stale: at once for a change of input, else at the refresh.
bool App::frameWanted(double nowMs) const {
  bool moving = !current_ || current_->moves();
  if (moving) return pacer_.due(nowMs) || KeyboardState::instance().eventsWaiting();
  return stale_ && (inputChanged_ || pacer_.due(nowMs));
}

void App::idle() {
  if (glutGetWindow() != mainWindow_) glutSetWindow(mainWindow_);
  if (current_ && !current_->moves()) {
    runUpdate();
    updated_ = true;
  }
  double now = monotonicMs();
  if (frameWanted(now)) {
    glutPostRedisplay();
    return;
  }
  updated_ = false;
  slept_ = true;
  bool frameWaiting = !current_ || current_->moves() || stale_;
  std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(pacer_.sleepMs(now, frameWaiting)));
}
