// TgaImage: our own reader for Truevision TGA files (types 2, 3 and 10;
// depths 8, 24 and 32) into 8-bit grey or 32-bit RGBA pixels.
#pragma once

#include <cstdint>

#include "media/PictureLimit.h"

class TgaImage {
 public:
  TgaImage() = default;
  ~TgaImage() { release(); }
  TgaImage(const TgaImage&) = delete;
  TgaImage& operator=(const TgaImage&) = delete;

  // Decodes the file; the first row in pixels is the top row unless bottomRowFirst.
  // A picture wider or taller than maxSide or of more than maxBytes as RGBA, or an
  // uncompressed file too short for its pixels, is refused before anything is
  // allocated. Run-length data that ends early leaves the pixels it did not reach zero.
  bool load(const char* path, bool bottomRowFirst, int maxSide = kMaxPictureSide, size_t maxBytes = kMaxPictureBytes);
  // Frees the pixels; true when there were any.
  bool release();

  // Header fields as read, in file order.
  uint8_t idLength = 0, colourMapType = 0, imageType = 0;
  uint16_t colourMapFirst = 0, colourMapLength = 0;
  uint8_t colourMapEntrySize = 0;
  uint16_t originX = 0, originY = 0, headerWidth = 0, headerHeight = 0;
  uint8_t depth = 0, descriptor = 0;

  int width = 0, height = 0;  // pixels, after decoding
  int bits = 0;               // 8 or 32 after decoding (24-bit files expand to RGBA)
  uint8_t* pixels = nullptr;  // owned; width*height bytes at 8 bits, width*height*4 (RGBA) otherwise
};
