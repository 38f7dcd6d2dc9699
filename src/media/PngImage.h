// PngImage: decodes a PNG file to 8-bit RGBA rows through libpng's simplified
// API, which reports every failure by return value (no longjmp reaches us).
#pragma once

#include <cstdint>
#include <vector>

struct PngImage {
  // Decodes the file, keeping its alpha (opaque when it has none); the first row
  // in rgba is the top row unless bottomRowFirst. False leaves the record empty.
  bool load(const char* path, bool bottomRowFirst);

  int width = 0, height = 0;  // pixels
  std::vector<uint8_t> rgba;  // width*height*4 bytes, rows packed end to end
};
