// Rect: an axis-aligned rectangle on the floor plane, in world units. The pad
// squares, the arena's blocked rectangles and the rectangle a release lifts
// feet in are all one.
#pragma once

#include "core/Vec3.h"

struct Rect {
  float minX, minY, maxX, maxY;

  // Inclusive on every side, so a point on a border shared by two squares lies in both.
  constexpr bool contains(float x, float y) const { return minX <= x && x <= maxX && minY <= y && y <= maxY; }
  constexpr Rect grown(float margin) const { return {minX - margin, minY - margin, maxX + margin, maxY + margin}; }
  Vec3 centre() const { return {(minX + maxX) * 0.5f, (minY + maxY) * 0.5f, 0}; }
};
