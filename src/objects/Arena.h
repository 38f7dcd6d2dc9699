// Arena: the floor and two rings of skyline walls, and the authority on where
// walkers may go (the walk area minus the blocked centre square).
#pragma once

#include <array>
#include <iterator>
#include <vector>

#include "core/Assets.h"
#include "core/Field.h"
#include "core/Rect.h"
#include "objects/GameObject.h"

// A region walkers may not enter.
using BlockedRect = Rect;

// The middle pad square: walkers stay on its edges (the arena's load blocks it).
constexpr BlockedRect kCentreSquare{-field::kCentreHalf, -field::kCentreHalf, field::kCentreHalf, field::kCentreHalf};

class Arena : public GameObject {
 public:
  void load();
  void update(float dt) override;
  void draw() override;

  const BlockedRect* findBlockedRect(const Vec3& point, float margin) const;
  Vec3 constrainToWalkArea(const Vec3& point) const;
  Vec3 randomWalkPoint() const;
  void addBlockedRect(const BlockedRect& rect);

 private:
  void drawFloor() const;
  void drawSkyline() const;

  unsigned floorList_ = 0;                // floor picture, unit quad centred on the origin
  bool floorOpaque_ = false;              // the floor's picture has no see-through pixel: drawn unblended
  unsigned floorQuad_ = 0;                // the same quad with no picture of its own: the floor with its splatter
  // One skyline per side, unit quads standing on their bottom edge; the walls
  // of both rings on side i show picture i.
  std::array<unsigned, std::size(assets::kSkylines)> skylineLists_{};
  Vec3 walkMin_{-field::kHalfSize, -field::kHalfSize, 0};  // lower corner of the walk area
  Vec3 walkMax_{field::kHalfSize, field::kHalfSize, 0};    // upper corner of the walk area
  std::vector<BlockedRect> blockedRects_; // insertion order; the first match wins
};

extern Arena arena;
