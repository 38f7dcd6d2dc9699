// The game's pictures as reusable drawings. Each function draws in the units
// the game shows the picture in, through the canvas's current transform, so
// the sprites and the slides share one set of drawings.
#pragma once

#include "raster.h"

namespace art {

// Extents of each drawing in its own units (the sprite's view box).
constexpr Box kHeadBox{-0.45f, -0.45f, 0.45f, 0.45f};  // drawn 0.9 square
constexpr Box kBodyBox{-0.3f, 0.0f, 0.3f, 1.1f};       // stands on y = 0
constexpr Box kArmBox{-0.375f, 0.0f, 0.375f, 0.75f};   // shoulder at (0, 0)
constexpr Box kFootBox{-5.5f, -1.54f, 5.5f, 20.46f};   // floor at y = 0
constexpr Box kUnitBox{-0.5f, -0.5f, 0.5f, 0.5f};
constexpr Box kFloorBox{-15, -15, 15, 15};
constexpr Box kSkylineBox{-15, 0, 15, 14};

constexpr int kFootCount = 4;

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
void drawSkyline(Canvas& c);
void drawPadSquareIndicator(Canvas& c);

}  // namespace art
