#include "game/PadSquare.h"

#include "core/Field.h"
#include "core/Random.h"

namespace {

// Per view (q = 0, 90, 180, 270 degrees), the square of each pad button, so the
// pad's top-left button always stomps the square at the top left of the screen.
constexpr int kSquareOfButton[4][kSquareCount] = {
    {6, 3, 0, 7, 4, 1, 8, 5, 2},  // camera on the positive-x side
    {8, 7, 6, 5, 4, 3, 2, 1, 0},  // positive-y side
    {2, 5, 8, 1, 4, 7, 0, 3, 6},  // negative-x side
    {0, 1, 2, 3, 4, 5, 6, 7, 8},  // negative-y side, the start view
};

}  // namespace

std::array<PadSquare, kSquareCount> padSquareGrid() {
  std::array<PadSquare, kSquareCount> squares{};
  for (int k = 0; k < kSquareCount; ++k) {
    int row = k / field::kSquaresPerSide, column = k % field::kSquaresPerSide;
    float minX = -field::kHalfSize + field::kSquareSize * column;
    float maxY = field::kHalfSize - field::kSquareSize * row;
    squares[k] = {minX, maxY - field::kSquareSize, minX + field::kSquareSize, maxY};
  }
  return squares;
}

int squareForButton(int button, int targetAngle) {
  int q = static_cast<int>(wrapDegrees(static_cast<float>(targetAngle)));
  if (q % 90 != 0 || button < 0 || button >= kSquareCount) return 0;
  return kSquareOfButton[q / 90][button];
}
