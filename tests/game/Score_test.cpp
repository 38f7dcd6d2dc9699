// The score display on a real GL context: two lines of black text drawn on
// white, found again in the frame as the box of the dark pixels.
#include <gtest/gtest.h>

#include "core/Assets.h"
#include "game/StompWorld.h"
#include "game/VictimCrowd.h"
#include "media/FontManager.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "support/GlTest.h"

namespace {

using testgl::Box;
using testgl::Frame;

// Where the black text darkened the white background, within rows [y0, y1) and columns [x0, x1).
Box darkBox(const Frame& frame, int y0, int y1, int x0 = 0, int x1 = testgl::kWidth) {
  return testgl::boxWhere(frame, [](const uint8_t* rgba) { return rgba[0] < 200; }, {x0, y0, x1, y1});
}

// The last glyph of each line is its digit, which stands on the line's baseline.
Box lastDigit(const Frame& frame, const Box& line) {
  return darkBox(frame, line.bottom, line.top + 1, line.right - 6, line.right + 1);
}

class ScoreTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { FontManager::instance().load(assets::kFont, 32); }
  void TearDown() override { Camera::instance().resize(testgl::kWidth, testgl::kHeight); }

  Frame drawOnWhite() {
    testgl::resetFrame(1, 1, 1);
    world.drawScore();
    return testgl::readFrame();
  }

  VictimCrowd crowd;
  FootManager feet;
  StompWorld world{crowd, feet};
};

TEST_F(ScoreTest, TwoLinesInTheTopLeftCornerAndNothingElse) {
  Box text = darkBox(drawOnWhite(), 0, testgl::kHeight);
  ASSERT_FALSE(text.empty());
  EXPECT_GE(text.left, 8);
  EXPECT_LT(text.left, 30);
  EXPECT_LT(text.right, 500);
  EXPECT_GT(text.bottom, testgl::kHeight - 80);  // the lower line's descenders, tilted
  EXPECT_LT(text.top, testgl::kHeight - 5);
}

TEST_F(ScoreTest, UpperLineIsLongerAndLarger) {
  Frame frame = drawOnWhite();
  const int h = testgl::kHeight;
  Box upper = darkBox(frame, h - 44, h);  // rows clear of the lower line
  Box lower = darkBox(frame, h - 80, h - 44, 0, upper.right - 60);
  ASSERT_FALSE(upper.empty());
  ASSERT_FALSE(lower.empty());
  EXPECT_GT(upper.right, lower.right + 50);
  Box upperDigit = lastDigit(frame, upper), lowerDigit = lastDigit(frame, lower);
  int upperHeight = upperDigit.top - upperDigit.bottom, lowerHeight = lowerDigit.top - lowerDigit.bottom;
  EXPECT_GE(upperHeight, lowerHeight + 4);  // 0.55 against 0.45 of the font's size
}

TEST_F(ScoreTest, LeansCounterClockwise) {
  Frame frame = drawOnWhite();
  const int h = testgl::kHeight;
  Box upper = darkBox(frame, h - 44, h);
  ASSERT_FALSE(upper.empty());
  // Turned 2 degrees about the line's origin, the digit some 300 pixels to the
  // right stands several pixels above the untilted baseline.
  int baseline = h - 38;
  EXPECT_GE(lastDigit(frame, upper).bottom - baseline, 5);
}

TEST_F(ScoreTest, FollowsTheWindowsTopEdgeOnResize) {
  Camera::instance().resize(testgl::kWidth, 400);
  Box text = darkBox(drawOnWhite(), 0, testgl::kHeight);
  ASSERT_FALSE(text.empty());
  EXPECT_GT(text.bottom, 400 - 80);
  EXPECT_LT(text.top, 400 - 5);
  EXPECT_LT(text.left, 30);
}

}  // namespace
