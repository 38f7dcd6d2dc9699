// The playing field's geometry, in world units: the floor is the plane z = 0,
// centred on the origin, tiled by 3 by 3 pad squares. The arena, the pad
// squares, the asset generators and the tests all read it from here.
#pragma once

namespace field {

constexpr float kHalfSize = 15;                  // centre to each floor edge; the walk area is the floor
constexpr float kSize = 2 * kHalfSize;           // the floor picture is stretched once over it
constexpr int kSquaresPerSide = 3;
constexpr float kSquareSize = kSize / kSquaresPerSide;  // one pad square, 10 by 10
constexpr float kCentreHalf = kSquareSize / 2;   // the blocked centre square spans -5..5 on x and y

// The skyline walls on the floor's edges, as wide as the floor and this tall
// before each ring's vertical scale; the near ring's scale is the one the
// skyline pictures are drawn for.
constexpr float kWallHeight = 10;
constexpr float kNearRingHeight = 4 * 0.35f;
constexpr float kNearWallHeight = kWallHeight * kNearRingHeight;

}  // namespace field
