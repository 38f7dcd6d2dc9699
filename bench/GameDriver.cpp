#include "GameDriver.h"

#include <GL/freeglut.h>

#include <chrono>
#include <thread>

#include "app/App.h"
#include "app/FrameTimer.h"
#include "app/Window.h"
#include "Measure.h"
#include "input/KeyboardState.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"

namespace bench {

namespace {

constexpr int kWarmUpLimit = 20000;   // frames spent filling the floor with splatter at most
constexpr int kStartKeyEvery = 300;   // frames
constexpr int kSelectKeyEvery = 470;  // frames

// The game's clock: advanced here, so every frame has the same step.
int fakeMilliseconds = 0;
int fakeClock() { return fakeMilliseconds; }

void noDisplay() {}

}  // namespace

void useOwnFrameLoop() {
  glutDisplayFunc(noDisplay);
  glutIdleFunc(nullptr);
  FrameTimer::instance().setClock(fakeClock);
  FrameTimer::instance().start();
}

void pumpEvents() { glutMainLoopEvent(); }

void useGameLoop() {
  registerCallbacks();
  FrameTimer::instance().setClock(nullptr);
  FrameTimer::instance().start();
}

double runGameLoop(int frames, const std::function<bool()>& done) {
  App& app = App::instance();
  long seen = app.framesDrawn();
  for (int drawn = 0; drawn < frames;) {
    pumpEvents();
    if (app.framesDrawn() != seen) {
      glFinish();
      seen = app.framesDrawn();
      ++drawn;
      if (done()) return wallMs();
    }
    app.idle();
  }
  return -1;
}

void gameFrame() {
  fakeMilliseconds += kFrameMs;
  App::instance().displayFrame();
}

void waitForWindowSize() {
  while (!windowSizePending()) {
    pumpEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void resizeWindow(int width, int height) {
  glutReshapeWindow(width, height);
  while (windowSize().width != width || windowSize().height != height) {
    pumpEvents();
    gameFrame();
  }
}

void stepThroughSlides() {
  KeyboardState& keys = KeyboardState::instance();
  while (App::instance().screen() != ScreenId::Game) {
    keys.onKeyDown('3', 0, 0);
    gameFrame();
    keys.onKeyUp('3', 0, 0);
    gameFrame();
  }
}

void fillFloor() {
  Script script(4);
  for (int frame = 0; frame < kWarmUpLimit; ++frame) {
    if (victimCrowd.corpses().size() >= VictimCrowd::kMaxCorpses) return;
    script.beforeFrame();
    gameFrame();
  }
}

void Script::beforeFrame() {
  KeyboardState& keys = KeyboardState::instance();
  if (held_) keys.onKeyUp(held_, 0, 0);
  held_ = 0;
  ++frame_;
  if (frame_ % kStartKeyEvery == 0)
    held_ = '3';
  else if (frame_ % kSelectKeyEvery == 0)
    held_ = '1';
  else if (frame_ % stompEvery_ == 0)
    held_ = kSquareKeys[(frame_ / stompEvery_) % (sizeof kSquareKeys - 1)];
  if (held_) keys.onKeyDown(held_, 0, 0);
}

}  // namespace bench
