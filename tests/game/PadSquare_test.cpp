#include <gtest/gtest.h>

#include "game/PadSquare.h"

namespace {

TEST(PadSquareGrid, RowsRunFromPositiveYAndColumnsFromNegativeX) {
  auto squares = padSquareGrid();
  const float expected[kSquareCount][4] = {
      {-15, 5, -5, 15},   {-5, 5, 5, 15},   {5, 5, 15, 15},
      {-15, -5, -5, 5},   {-5, -5, 5, 5},   {5, -5, 15, 5},
      {-15, -15, -5, -5}, {-5, -15, 5, -5}, {5, -15, 15, -5},
  };
  for (int k = 0; k < kSquareCount; ++k) {
    EXPECT_EQ(squares[k].minX, expected[k][0]) << k;
    EXPECT_EQ(squares[k].minY, expected[k][1]) << k;
    EXPECT_EQ(squares[k].maxX, expected[k][2]) << k;
    EXPECT_EQ(squares[k].maxY, expected[k][3]) << k;
  }
  EXPECT_TRUE(squares[8].centre() == Vec3(10, -10, 0));
}

TEST(PadSquareGrid, SharedBordersBelongToBothSquares) {
  auto squares = padSquareGrid();
  EXPECT_TRUE(squares[0].contains(-5, 10));
  EXPECT_TRUE(squares[1].contains(-5, 10));
  EXPECT_TRUE(squares[4].contains(5, 5));
  EXPECT_TRUE(squares[2].contains(5, 5));
  EXPECT_FALSE(squares[0].contains(-4.99f, 10));
}

TEST(SquareForButton, EachViewKeepsThePadLayoutOnScreen) {
  const int byView[4][kSquareCount] = {
      {6, 3, 0, 7, 4, 1, 8, 5, 2},  // 0
      {8, 7, 6, 5, 4, 3, 2, 1, 0},  // 90
      {2, 5, 8, 1, 4, 7, 0, 3, 6},  // 180
      {0, 1, 2, 3, 4, 5, 6, 7, 8},  // 270
  };
  for (int view = 0; view < 4; ++view)
    for (int button = 0; button < kSquareCount; ++button)
      EXPECT_EQ(squareForButton(button, view * 90), byView[view][button]) << view * 90 << " " << button;
}

TEST(SquareForButton, AnglesWrapIntoOneTurn) {
  for (int angle : {0, 360, -360})
    for (int button = 0; button < kSquareCount; ++button)
      EXPECT_EQ(squareForButton(button, angle), squareForButton(button, 0)) << angle;
  for (int button = 0; button < kSquareCount; ++button) {
    EXPECT_EQ(squareForButton(button, -90), button);
    EXPECT_EQ(squareForButton(button, -450), button);
  }
  EXPECT_EQ(squareForButton(0, 720 + 90), 8);
}

TEST(SquareForButton, OddAnglesAndButtonsGiveSquareZero) {
  EXPECT_EQ(squareForButton(4, 45), 0);
  EXPECT_EQ(squareForButton(9, -90), 0);
  EXPECT_EQ(squareForButton(-1, -90), 0);
}

}  // namespace
