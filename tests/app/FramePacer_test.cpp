// When frames are drawn: the pacer's judgement of the swap, and its waits.
#include <gtest/gtest.h>

#include "app/FramePacer.h"

namespace {

constexpr double kPeriod = 1000.0 / 60;  // ms

// Frames back to back at the given interval, for as long as the pacer judges.
void runFrames(FramePacer& pacer, double intervalMs) {
  for (int i = 0; i <= FramePacer::kFramesToJudge; ++i) pacer.frameStarted(i * intervalMs, true);
}

TEST(FramePacer, ASwapThatWaitsKeepsThePacingOffAndOneThatDoesNotTurnsItOn) {
  FramePacer waits, doesNot;
  waits.start(60, true);
  doesNot.start(60, true);
  runFrames(waits, kPeriod);
  runFrames(doesNot, 2);
  EXPECT_FALSE(waits.pacing());
  EXPECT_TRUE(doesNot.pacing());
}

TEST(FramePacer, WithoutASwapIntervalFramesComeOncePerRefresh) {
  FramePacer pacer;
  pacer.start(100, false);
  pacer.frameStarted(1000, false);
  EXPECT_FALSE(pacer.due(1009));
  EXPECT_TRUE(pacer.due(1010));
}

TEST(FramePacer, AWaitingFrameIsNotOversleptByTheInputPoll) {
  FramePacer pacer;
  pacer.start(100, false);
  pacer.frameStarted(1000, false);
  EXPECT_DOUBLE_EQ(pacer.sleepMs(1009, true), 1);  // the refresh comes before the next poll
  EXPECT_DOUBLE_EQ(pacer.sleepMs(1012, true), 0);
}

}  // namespace
