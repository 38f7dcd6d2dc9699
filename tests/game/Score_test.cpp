#include <gtest/gtest.h>

#include <fstream>

#include "game/StompWorld.h"
#include "game/VictimCrowd.h"
#include "media/FontManager.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "support/GlTest.h"

namespace {

constexpr const char* kFont = "/usr/share/fonts/truetype/leckerli-one/LeckerliOne-Regular.ttf";

struct Box {
  int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
  bool empty() const { return maxX < 0; }
};

// Where the black text darkened the white background, within rows [y0, y1) and columns [x0, x1).
Box darkBox(int y0, int y1, int x0 = 0, int x1 = testgl::kWidth) {
  Box box;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (testgl::pixel(x, y)[0] < 200) {
        box.minX = std::min(box.minX, x);
        box.maxX = std::max(box.maxX, x);
        box.minY = std::min(box.minY, y);
        box.maxY = std::max(box.maxY, y);
      }
  return box;
}

class ScoreTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { FontManager::instance().load(kFont, 32); }
  void TearDown() override { Camera::instance().resize(testgl::kWidth, testgl::kHeight); }

  void drawOnWhite() {
    testgl::resetFrame(1, 1, 1);
    world.drawScore();
  }

  VictimCrowd crowd;
  FootManager feet;
  StompWorld world{crowd, feet};
};

TEST_F(ScoreTest, ThreeLinesInTheTopLeftCornerAndNothingElse) {
  drawOnWhite();
  Box text = darkBox(0, testgl::kHeight);
  ASSERT_FALSE(text.empty());
  EXPECT_GE(text.minX, 8);
  EXPECT_LT(text.minX, 30);
  EXPECT_LT(text.maxX, 500);
  EXPECT_GT(text.minY, testgl::kHeight - 100);  // the lowest line, tilted
  EXPECT_LT(text.maxY, testgl::kHeight - 5);
}

// The last glyph of each line is its digit, which stands on the line's baseline.
Box lastDigit(const Box& line) { return darkBox(line.minY, line.maxY + 1, line.maxX - 6, line.maxX + 1); }

TEST_F(ScoreTest, UpperLineIsLongerAndLarger) {
  drawOnWhite();
  const int h = testgl::kHeight;
  Box upper = darkBox(h - 44, h);  // rows clear of the lower line
  Box lower = darkBox(h - 80, h - 44, 0, upper.maxX - 60);
  ASSERT_FALSE(upper.empty());
  ASSERT_FALSE(lower.empty());
  EXPECT_GT(upper.maxX, lower.maxX + 50);
  Box upperDigit = lastDigit(upper), lowerDigit = lastDigit(lower);
  int upperHeight = upperDigit.maxY - upperDigit.minY, lowerHeight = lowerDigit.maxY - lowerDigit.minY;
  EXPECT_GE(upperHeight, lowerHeight + 4);  // 0.55 against 0.45 of the font's size
}

TEST_F(ScoreTest, LeansCounterClockwise) {
  drawOnWhite();
  const int h = testgl::kHeight;
  Box upper = darkBox(h - 44, h);
  ASSERT_FALSE(upper.empty());
  // Turned 2 degrees about the line's origin, the digit some 300 pixels to the
  // right stands several pixels above the untilted baseline.
  int baseline = h - 38;
  EXPECT_GE(lastDigit(upper).minY - baseline, 5);
}

TEST_F(ScoreTest, FollowsTheWindowsTopEdgeOnResize) {
  Camera::instance().resize(testgl::kWidth, 400);
  drawOnWhite();
  Box text = darkBox(0, testgl::kHeight);
  ASSERT_FALSE(text.empty());
  EXPECT_GT(text.minY, 400 - 100);
  EXPECT_LT(text.maxY, 400 - 5);
  EXPECT_LT(text.minX, 30);
}

// Rows holding ink in the leftmost columns, where each line's first capital
// stands on its baseline: one {bottom, top} pair per line, from the top down.
std::vector<std::array<int, 2>> inkRowsAtTheLeft() {
  std::vector<std::array<int, 2>> runs;
  for (int y = testgl::kHeight - 1; y >= testgl::kHeight - 120; --y) {
    bool ink = !darkBox(y, y + 1, 0, 24).empty();
    if (ink && (runs.empty() || runs.back()[0] != y + 1)) runs.push_back({y, y});
    if (ink) runs.back()[0] = y;
  }
  return runs;
}

TEST_F(ScoreTest, BestEverIsAThirdLineAtTheLowerLinesSizeAndSpacing) {
  std::string file = testgl::tempDir("score") + "/best-stomp";
  std::ofstream(file) << "0\n";
  world.keepBestEverIn(file);  // Best Ever: 0 ends in the same digit as Last Stomp: 0
  drawOnWhite();
  auto lines = inkRowsAtTheLeft();
  ASSERT_EQ(lines.size(), 3u);
  int firstGap = lines[0][0] - lines[1][0], secondGap = lines[1][0] - lines[2][0];
  EXPECT_NEAR(secondGap, firstGap, 1);

  const int h = testgl::kHeight;
  Box lower = darkBox(lines[1][0] - 4, lines[0][0] - 1);
  Box third = darkBox(h - 100, lines[1][0] - 4);
  ASSERT_FALSE(lower.empty());
  ASSERT_FALSE(third.empty());
  Box lowerDigit = lastDigit(lower), thirdDigit = lastDigit(third);
  EXPECT_NEAR(thirdDigit.maxY - thirdDigit.minY, lowerDigit.maxY - lowerDigit.minY, 1);
  EXPECT_NEAR(third.maxX, lower.maxX, 20);  // "Best Ever: 0" is about as long as "Last Stomp: 0"

  std::ofstream(file) << "1234\n";
  world.keepBestEverIn(file);
  drawOnWhite();
  EXPECT_GT(darkBox(h - 100, lines[1][0] - 4).maxX, third.maxX + 20);  // three more digits
}

}  // namespace
