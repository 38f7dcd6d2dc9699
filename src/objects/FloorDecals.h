// FloorDecals: the splatters drawn into a copy of the floor's picture, each
// once as it comes and taken out again when the crowd drops it, so the floor
// and its splatter draw as one opaque layer instead of the splatter being
// blended over the floor every frame. Nothing is copied where the renderer has
// no framebuffer objects, the floor's picture is see-through or the shortcut
// is off: the crowd then draws every splatter itself, as before.
#pragma once

#include <cstddef>
#include <deque>

#include "render/RenderTarget.h"

class VictimCrowd;

class FloorDecals {
 public:
  // Once the floor's picture is loaded: its texture, the list that draws it
  // as a unit quad, and whether it is opaque.
  void load(unsigned floorTexture, unsigned floorList, bool floorOpaque);
  // Brings the copy up to the crowd's splatters; before the floor is drawn.
  void follow(VictimCrowd& crowd);
  // The copy to draw the floor with; 0 when the floor draws its own picture.
  unsigned texture() const { return active_ ? target_.texture() : 0; }
  // How many of the crowd's corpses, oldest first, are in the copy.
  size_t bakedCount(const VictimCrowd& crowd) const;
  // What the copy cannot hold: the parts of its splatters past the floor's
  // edge, drawn in the crowd's pass, in the world's coordinates.
  void drawOverhangs(const VictimCrowd& crowd) const;

 private:
  // A splatter in the copy: where it lies and how far its quad reaches, in world units.
  struct Decal {
    float x, y, reach;
  };
  bool usable() const;
  void rebuild(VictimCrowd& crowd);
  void takeOut(const Decal& decal, VictimCrowd& crowd);
  void bakeNew(VictimCrowd& crowd);
  void beginCopy();
  void endCopy();
  void drawFloorCopy() const;

  RenderTarget target_;
  unsigned floorList_ = 0;        // the floor's own picture, a unit quad
  std::deque<Decal> baked_;       // the splatters in the copy, oldest first
  size_t firstSerial_ = 0;        // of baked_.front(): the crowd's corpses dropped before it
  const VictimCrowd* followed_ = nullptr;
  bool active_ = false;           // the copy is up to date and the floor draws with it
};

extern FloorDecals floorDecals;
