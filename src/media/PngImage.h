// PngImage: decodes a PNG file to 8-bit RGBA rows through libpng, keeping the
// stored sample values: no gamma conversion, 16-bit samples scaled to 8 bits.
#pragma once

#include <cstdint>
#include <vector>

#include "media/PictureLimit.h"

struct PngImage {
  // Decodes the file, keeping its alpha (opaque when it has none); the first row
  // in rgba is the top row unless bottomRowFirst. A picture wider or taller than
  // maxSide or of more than maxBytes is refused before its pixels are allocated.
  // False leaves the record empty.
  bool load(const char* path, bool bottomRowFirst, int maxSide = kMaxPictureSide, size_t maxBytes = kMaxPictureBytes);

  int width = 0, height = 0;  // pixels
  std::vector<uint8_t> rgba;  // width*height*4 bytes, rows packed end to end
};
