// The game's pictures as reusable drawings. Each function draws in the units
// the game shows the picture in, through the canvas's current transform, so
// the sprites and the slides share one set of drawings.
#pragma once

#include <iterator>

#include "core/Assets.h"
#include "core/Field.h"
#include "core/Sprites.h"
#include "raster.h"

namespace art {

// Extents of each drawing in its own units (the sprite's view box).
constexpr Box boxOf(const SpriteQuad& q) { return {q.left(), q.bottom(), q.right(), q.top()}; }
constexpr Box kHeadBox = boxOf(sprite::kHead);  // drawn 0.9 square
constexpr Box kBodyBox = boxOf(sprite::kBody);  // stands on y = 0
constexpr Box kArmBox = boxOf(sprite::kArm);    // shoulder at (0, 0)
constexpr Box kFootBox = boxOf(sprite::kFoot);  // floor at y = 0
constexpr Box kUnitBox{-0.5f, -0.5f, 0.5f, 0.5f};
constexpr Box kFloorBox{-field::kHalfSize, -field::kHalfSize, field::kHalfSize, field::kHalfSize};
constexpr Box kSkylineBox{-field::kHalfSize, 0, field::kHalfSize, field::kNearWallHeight};

constexpr int kFootCount = int(std::size(assets::kFeet));  // one picture per foot the game picks from
constexpr int kSkylineSides = int(std::size(assets::kSkylines));  // one picture per side of the arena

constexpr Rgba kInk = hex(0x2A1633);  // cartoon outlines everywhere

// The pad squares' colours, shared by the floor and the slides' pad pictures.
enum class PadKind { Centre, Edge, Corner };
PadKind padKindAt(int row, int col);  // row and column 0..2
Rgba padColour(PadKind kind);

void drawVictimHead(Canvas& c);
void drawVictimBody(Canvas& c);
void drawVictimArm(Canvas& c);
// The whole figure standing on (0, 0) as the game assembles it; swing is
// the arm flap from -1 to 1.
void drawVictim(Canvas& c, float swing);

void drawFoot(Canvas& c, int which);  // which: 0 .. kFootCount - 1

void drawShadow(Canvas& c);
void drawSplatter(Canvas& c);
void drawFloor(Canvas& c);
void drawSkyline(Canvas& c, int side);  // side: 0 .. kSkylineSides - 1, in the arena's wall order
void drawPadSquareIndicator(Canvas& c);
// The desktop icon in the unit box: the sneaker stomping a splat on a pad square.
void drawIcon(Canvas& c);

}  // namespace art
