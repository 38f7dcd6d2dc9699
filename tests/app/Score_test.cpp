// The score display on a real GL context: lines of black text drawn on white,
// found again in the frame as the box of the dark pixels.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <vector>

#include "app/hud/Hud.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "media/FontManager.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "support/Files.h"
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
  ScoreTest() { world.setScoreDrawer(hud::drawScore); }  // as the game's start hands it over
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

TEST_F(ScoreTest, ThreeLinesInTheTopLeftCornerAndNothingElse) {
  Box text = darkBox(drawOnWhite(), 0, testgl::kHeight);
  ASSERT_FALSE(text.empty());
  EXPECT_GE(text.left, 8);
  EXPECT_LT(text.left, 30);
  EXPECT_LT(text.right, 500);
  EXPECT_GT(text.bottom, testgl::kHeight - 100);  // the lowest line, tilted
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
  EXPECT_GT(text.bottom, 400 - 100);
  EXPECT_LT(text.top, 400 - 5);
  EXPECT_LT(text.left, 30);
}

// Rows holding ink in the leftmost columns, where each line's first capital
// stands on its baseline: one {bottom, top} pair per line, from the top down.
std::vector<std::array<int, 2>> inkRowsAtTheLeft(const Frame& frame) {
  std::vector<std::array<int, 2>> runs;
  for (int y = testgl::kHeight - 1; y >= testgl::kHeight - 120; --y) {
    bool ink = !darkBox(frame, y, y + 1, 0, 24).empty();
    if (ink && (runs.empty() || runs.back()[0] != y + 1)) runs.push_back({y, y});
    if (ink) runs.back()[0] = y;
  }
  return runs;
}

TEST_F(ScoreTest, BestEverIsAThirdLineAtTheLowerLinesSizeAndSpacing) {
  testfiles::TempDir dir("score");
  std::string file = dir / "best-stomp";
  std::ofstream(file) << "0\n";
  world.keepBestEverIn(file);  // Best Ever: 0 ends in the same digit as Last Stomp: 0
  Frame frame = drawOnWhite();
  auto lines = inkRowsAtTheLeft(frame);
  ASSERT_EQ(lines.size(), 3u);
  int firstGap = lines[0][0] - lines[1][0], secondGap = lines[1][0] - lines[2][0];
  EXPECT_NEAR(secondGap, firstGap, 1);

  const int h = testgl::kHeight;
  Box lower = darkBox(frame, lines[1][0] - 4, lines[0][0] - 1);
  Box third = darkBox(frame, h - 100, lines[1][0] - 4);
  ASSERT_FALSE(lower.empty());
  ASSERT_FALSE(third.empty());
  Box lowerDigit = lastDigit(frame, lower), thirdDigit = lastDigit(frame, third);
  EXPECT_NEAR(thirdDigit.top - thirdDigit.bottom, lowerDigit.top - lowerDigit.bottom, 1);
  EXPECT_NEAR(third.right, lower.right, 20);  // "Best Ever: 0" is about as long as "Last Stomp: 0"

  std::ofstream(file) << "1234\n";
  world.keepBestEverIn(file);
  EXPECT_GT(darkBox(drawOnWhite(), h - 100, lines[1][0] - 4).right, third.right + 20);  // three more digits
}

}  // namespace
