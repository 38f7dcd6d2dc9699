#include "app/FrameTimer.h"

#include <GL/freeglut.h>

namespace {

int glutMilliseconds() { return glutGet(GLUT_ELAPSED_TIME); }

}  // namespace

FrameTimer& FrameTimer::instance() {
  static FrameTimer* timer = new FrameTimer{};
  return *timer;
}

float FrameTimer::seconds() const {
  return static_cast<float>((clock_ ? clock_ : glutMilliseconds)()) * 0.001f;
}

void FrameTimer::start() {
  startTime_ = seconds();
  now_ = 0;  // a new clock's first step is from here, never back to the old one's time
}

void FrameTimer::tick() {
  previous_ = now_;
  now_ = seconds() - startTime_;
  frameDelta_ = now_ - previous_;
  if (frameDelta_ > kMaxStep) frameDelta_ = kMaxStep;
}
