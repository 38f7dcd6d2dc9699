// TexturePack: pictures a pass draws one after another, copied into one
// texture. The software renderer pays more for a change of texture than for
// drawing a small sprite, and a crowd's sprites changed texture three times a
// victim. Each picture keeps a one-texel border of its own edge texels, so
// linear filtering at its edge reads what clamping to the edge read there.
#pragma once

#include <cstddef>
#include <vector>

// Where a pack holds one picture.
struct PackedPlace {
  unsigned texture = 0;                // the pack's
  int x = 0, y = 0;                    // texels: the picture's first texel in the pack
  int width = 0, height = 0;           // texels: the picture's
  int packWidth = 0, packHeight = 0;   // texels
  // A texture coordinate of the picture's own, in the pack's.
  float s(float own) const { return static_cast<float>((x + static_cast<double>(own) * width) / packWidth); }
  float t(float own) const { return static_cast<float>((y + static_cast<double>(own) * height) / packHeight); }
};

// Copies the textures' level 0 into one new texture, one picture under
// another, sampled as the game's pictures are (linear, clamped to the edge);
// nothing when the pack would take more than bytesLeft as RGBA or have a side
// over largestSide texels. The textures themselves stay.
std::vector<PackedPlace> packTextures(const std::vector<unsigned>& textures, size_t bytesLeft, int largestSide);
