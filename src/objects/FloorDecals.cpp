#include "objects/FloorDecals.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Field.h"
#include "media/Texture.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"

FloorDecals floorDecals;

namespace {

constexpr float kHalf = field::kHalfSize;  // world units from the floor's centre to its edge
constexpr int kScissorMargin = 2;          // texels around a taken-out splatter, for its filtered edge

// The parts of the world past the floor's edge, each a few clip planes (kept
// where a x + b y + c z + d >= 0) that together cover it once.
struct Region {
  int planes;
  double plane[3][4];
};
constexpr Region kOutside[] = {
    {1, {{1, 0, 0, -kHalf}}},
    {1, {{-1, 0, 0, -kHalf}}},
    {3, {{0, 1, 0, -kHalf}, {1, 0, 0, kHalf}, {-1, 0, 0, kHalf}}},
    {3, {{0, -1, 0, -kHalf}, {1, 0, 0, kHalf}, {-1, 0, 0, kHalf}}},
};

// Whether a splatter's square, reach about (x, y), reaches into the region: it
// reaches past each of the region's planes, which are all along the axes. A
// region it misses would take a draw and clip everything away; a splatter
// within the floor reaches none.
bool reaches(const Region& region, float x, float y, float reach) {
  for (int p = 0; p < region.planes; ++p) {
    const double* plane = region.plane[p];
    if (plane[0] * x + plane[1] * y + plane[3] + reach * (std::abs(plane[0]) + std::abs(plane[1])) <= 0) return false;
  }
  return true;
}

}  // namespace

void FloorDecals::load(unsigned floorTexture, unsigned floorList, bool floorOpaque) {
  target_.release();
  active_ = false;
  floorList_ = floorList;
  if (!floorTexture || !floorOpaque) return;
  GLint width = 0, height = 0;
  bindTexture(floorTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  target_.create(width, height);
}

bool FloorDecals::usable() const { return target_.texture() && fillShortcutAllowed(FillShortcut::FloorDecals); }

void FloorDecals::follow(VictimCrowd& crowd) {
  markPass(passes::kFloorCopy);
  if (!usable()) {
    active_ = false;
    return;
  }
  if (!active_ || followed_ != &crowd) return rebuild(crowd);
  size_t dropped = crowd.corpsesDropped();
  std::vector<Decal> gone;
  for (; firstSerial_ < dropped && !baked_.empty(); ++firstSerial_) {
    gone.push_back(baked_.front());
    baked_.pop_front();
  }
  firstSerial_ = std::max(firstSerial_, dropped);
  if (gone.empty() && bakedCount(crowd) == crowd.corpses().size()) return;  // most frames: the copy stays as it is
  beginCopy();
  for (const Decal& decal : gone) takeOut(decal, crowd);
  bakeNew(crowd);
  endCopy();
}

// The floor's picture again, and every splatter the crowd keeps.
void FloorDecals::rebuild(VictimCrowd& crowd) {
  followed_ = &crowd;
  baked_.clear();
  firstSerial_ = crowd.corpsesDropped();
  beginCopy();
  drawFloorCopy();
  bakeNew(crowd);
  endCopy();
  active_ = true;
}

// Within the splatter's box: the floor's picture, and the splatters kept that reach into it, in order.
void FloorDecals::takeOut(const Decal& decal, VictimCrowd& crowd) {
  auto texel = [](float world, int side) { return static_cast<int>(std::floor((world + kHalf) / (2 * kHalf) * side)); };
  int left = texel(decal.x - decal.reach, target_.width()) - kScissorMargin;
  int right = texel(decal.x + decal.reach, target_.width()) + kScissorMargin + 1;
  int bottom = texel(-decal.y - decal.reach, target_.height()) - kScissorMargin;  // row 0 is the floor's far edge
  int top = texel(-decal.y + decal.reach, target_.height()) + kScissorMargin + 1;
  glEnable(GL_SCISSOR_TEST);
  glScissor(left, bottom, right - left, top - bottom);
  drawFloorCopy();
  setTexturing(true, true);
  const auto& corpses = crowd.corpses();
  for (size_t i = 0; i < baked_.size() && i < corpses.size(); ++i) {
    const Decal& kept = baked_[i];
    if (std::abs(kept.x - decal.x) < kept.reach + decal.reach && std::abs(kept.y - decal.y) < kept.reach + decal.reach)
      corpses[i]->drawGround();
  }
  glDisable(GL_SCISSOR_TEST);
}

void FloorDecals::bakeNew(VictimCrowd& crowd) {
  const auto& corpses = crowd.corpses();
  setTexturing(true, true);
  for (size_t i = bakedCount(crowd); i < corpses.size(); ++i) {
    Victim& corpse = *corpses[i];
    corpse.drawGround();
    baked_.push_back({corpse.position().x, corpse.position().y, corpse.splatterReach()});
  }
}

size_t FloorDecals::bakedCount(const VictimCrowd& crowd) const {
  if (!active_ || followed_ != &crowd) return 0;
  size_t end = firstSerial_ + baked_.size(), dropped = crowd.corpsesDropped();
  return std::min(end > dropped ? end - dropped : 0, crowd.corpses().size());
}

// Drawn into the copy: the floor's square fills it, row 0 at the far edge
// (y = +half), where the floor's picture has its first row. The flip turns the
// winding, so nothing is culled; the copy's alpha stays the floor's.
void FloorDecals::beginCopy() {
  target_.begin();
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
  glDisable(GL_CULL_FACE);
  setDepthTest(false);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-kHalf, kHalf, kHalf, -kHalf, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

void FloorDecals::endCopy() {
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
  target_.end();
}

// Texel for texel: each fragment samples the floor's picture at a texel's centre.
void FloorDecals::drawFloorCopy() const {
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  setTexturing(true, false);
  setColor(1, 1, 1, 1);
  pushMatrix();
  scale(field::kSize, field::kSize, 1);
  drawQuad(floorList_);
  popMatrix();
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

void FloorDecals::drawOverhangs(const VictimCrowd& crowd) const {
  const auto& corpses = crowd.corpses();
  size_t baked = bakedCount(crowd);
  for (size_t i = 0; i < baked; ++i) {
    Victim& corpse = *corpses[i];
    float x = corpse.position().x, y = corpse.position().y, reach = corpse.splatterReach();
    for (const Region& region : kOutside) {
      if (!reaches(region, x, y, reach)) continue;
      for (int p = 0; p < region.planes; ++p) {
        glClipPlane(GL_CLIP_PLANE0 + p, region.plane[p]);
        glEnable(GL_CLIP_PLANE0 + p);
      }
      corpse.drawGround();
      for (int p = 0; p < region.planes; ++p) glDisable(GL_CLIP_PLANE0 + p);
    }
  }
}
