#include "objects/Arena.h"

#include <GL/gl.h>

#include "core/Assets.h"
#include "core/Field.h"
#include "core/Random.h"
#include "media/Texture.h"
#include "objects/FloorDecals.h"
#include "render/Render.h"

Arena arena;

namespace {

constexpr float kWallDistance = field::kHalfSize;  // units from the centre to each wall of a ring
constexpr float kWallWidth = field::kSize;         // units before the ring scale
// Degrees about z of each side's wall; the wall at 0 stands on the +y edge.
constexpr float kWallAngles[] = {0, 90, 180, 270};
static_assert(std::size(kWallAngles) == std::size(assets::kSkylines), "one skyline picture per wall");

struct SkylineRing {
  float scale;     // horizontal ring scale
  float height;    // vertical ring scale
  float grey;      // colour level
  float alpha;
  bool mirrored;   // so the far ring does not repeat the near ring's buildings
};

// Far ring first, so the near ring is drawn over it.
constexpr SkylineRing kRings[] = {
    {1.5f, 3 * 0.35f, 1 - 0.33f, 1 - 0.75f, true},
    {1.0f, field::kNearRingHeight, 1.0f, 1.0f, false},
};

void drawWall(unsigned list, float angle, bool mirrored) {
  pushMatrix();
  rotate(angle, 0, 0, 1);
  translate(0, kWallDistance, 0);
  glFrontFace(mirrored ? GL_CW : GL_CCW);  // a mirrored wall's winding is reversed
  float mirror = mirrored ? -1.0f : 1.0f;
  scale(mirror * kWallWidth, 1, field::kWallHeight);
  rotate(90, 1, 0, 0);
  drawQuad(list);
  popMatrix();
}

}  // namespace

void Arena::load() {
  floorList_ = QuadBuilder::instance().makeQuadList(assets::kFloor, 0, 0);
  floorOpaque_ = TextureRegistry::instance().opaque(assets::kFloor);
  floorQuad_ = QuadBuilder::instance().makeQuadList(nullptr, 0, 0);
  floorDecals.load(TextureRegistry::instance().find(assets::kFloor), floorList_, floorOpaque_);
  TextureRegistry::instance().pack({std::begin(assets::kSkylines), std::end(assets::kSkylines)});
  for (size_t side = 0; side < skylineLists_.size(); ++side)
    skylineLists_[side] = QuadBuilder::instance().makeQuadList(assets::kSkylines[side], 0, 0.5f);
  addBlockedRect(kCentreSquare);
}

void Arena::update(float) {}

void Arena::draw() {
  setDepthTest(false);
  markPass(passes::kFloor);
  drawFloor();
  markPass(passes::kSkyline);
  drawSkyline();
}

// An opaque floor hides what lies under it however it is drawn: unblended, then, and in its own colours.
void Arena::drawFloor() const {
  setOpaqueTexturing(floorOpaque_);
  setColor(1, 1, 1, 1);
  pushMatrix();
  scale(field::kSize, field::kSize, 1);
  if (unsigned withSplatter = floorDecals.texture()) {
    bindTexture(withSplatter);
    drawQuad(floorQuad_);
  } else {
    drawQuad(floorList_);
  }
  popMatrix();
}

void Arena::drawSkyline() const {
  setTexturing(true, true);
  glPushAttrib(GL_POLYGON_BIT);  // the mirrored walls flip the front face; the caller's comes back
  for (const SkylineRing& ring : kRings) {
    pushMatrix();
    scale(ring.scale, ring.scale, 1);
    scale(1, 1, ring.height);
    setColor(ring.grey, ring.grey, ring.grey, ring.alpha);
    for (size_t side = 0; side < skylineLists_.size(); ++side)
      drawWall(skylineLists_[side], kWallAngles[side], ring.mirrored);
    popMatrix();
  }
  glPopAttrib();
}

const BlockedRect* Arena::findBlockedRect(const Vec3& point, float margin) const {
  for (const BlockedRect& r : blockedRects_)
    if (r.grown(margin).contains(point.x, point.y)) return &r;
  return nullptr;
}

Vec3 Arena::constrainToWalkArea(const Vec3& point) const {
  Vec3 q = point;
  clampValue(q.x, walkMin_.x, walkMax_.x);
  clampValue(q.y, walkMin_.y, walkMax_.y);
  const BlockedRect* r = findBlockedRect(q, 0);
  if (!r) return q;

  // Out onto the nearest edge; ties go to minX, then maxX, minY, maxY. Not clamped again.
  float left = q.x - r->minX, right = r->maxX - q.x;
  float bottom = q.y - r->minY, top = r->maxY - q.y;
  auto firstMin = [](float a, float b) { return b < a ? b : a; };
  float m = firstMin(firstMin(left, right), firstMin(bottom, top));
  if (m == left)
    q.x = r->minX;
  else if (m == right)
    q.x = r->maxX;
  else if (m == bottom)
    q.y = r->minY;
  else if (m == top)
    q.y = r->maxY;
  return q;
}

Vec3 Arena::randomWalkPoint() const {
  // Three draws in this order, z included, so the random sequence stays the same.
  float x = randomRange(walkMin_.x, walkMax_.x);
  float y = randomRange(walkMin_.y, walkMax_.y);
  float z = randomRange(walkMin_.z, walkMax_.z);
  return constrainToWalkArea({x, y, z});
}

void Arena::addBlockedRect(const BlockedRect& rect) { blockedRects_.push_back(rect); }
