// The 3 by 3 grid of 10 by 10 floor squares and the view-dependent mapping
// from a pad button to the square that lies in the same place on screen.
#pragma once

#include <array>

#include "core/Rect.h"

// One floor square; a point on a border shared by two squares lies in both.
using PadSquare = Rect;

constexpr int kSquareCount = 9;

// Square 3 * row + column; row 0 at positive y, column 0 at negative x.
std::array<PadSquare, kSquareCount> padSquareGrid();

// The square a button stomps when the view target is targetAngle degrees.
// Any other angle than a multiple of 90, or a button outside 0..8, gives 0.
int squareForButton(int button, int targetAngle);
