// The rescaling the GLU mipmap builder gave a picture whose sides are not
// powers of two, reproduced texel for texel, so that the game's pictures
// look as they always have while only their level 0 is uploaded. Pure
// arithmetic: a worker thread may run it.
#pragma once

#include <cstdint>
#include <vector>

// The side the builder gave level 0: the nearest power of two, 3 * 2^n rounding up.
int mipmapSide(int side);

// RGBA rows rescaled with the builder's box filter (float weights, truncated).
std::vector<uint8_t> scaleAsMipmapBuilder(const std::vector<uint8_t>& rgba, int widthIn, int heightIn,
                                          int widthOut, int heightOut);
