// The frame step: milliseconds to seconds, clamped at an eighth of a second.
#include <gtest/gtest.h>

#include "app/FrameTimer.h"

namespace {

int fakeNow = 0;  // milliseconds on the test's clock
int fakeClock() { return fakeNow; }

class FrameTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    timer.setClock(fakeClock);
    fakeNow = 5000;
    timer.start();
    timer.tick();  // the singleton carries the previous test's time; one tick resyncs it
  }
  void advance(int ms) {
    fakeNow += ms;
    timer.tick();
  }
  FrameTimer& timer = FrameTimer::instance();
};

}  // namespace

TEST_F(FrameTimerTest, SlowStartIsClampedToAnEighth) {
  advance(2000);
  EXPECT_FLOAT_EQ(timer.frameDelta(), 0.125f);
  advance(200);
  EXPECT_FLOAT_EQ(timer.frameDelta(), 0.125f);
  advance(125);
  EXPECT_NEAR(timer.frameDelta(), 0.125f, 1e-4);
}

TEST_F(FrameTimerTest, OrdinaryStepsPassThroughAtMillisecondResolution) {
  advance(50);
  EXPECT_NEAR(timer.frameDelta(), 0.05f, 1e-4);
  advance(16);
  EXPECT_NEAR(timer.frameDelta(), 0.016f, 1e-4);
  advance(0);  // two frames in one millisecond
  EXPECT_EQ(timer.frameDelta(), 0);
}
