#include "media/TgaImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr uint8_t kPastEnd = 255;        // every byte past the end of a short file reads as this
constexpr uint8_t kTopRowFirstBit = 0x20;  // descriptor bit: the first stored row is the top row
constexpr uint8_t kRunPacketBit = 0x80;    // packet header bit: one pixel repeated
constexpr uint8_t kPacketCountMask = 0x7F;  // packet header bits: pixel count minus one

constexpr uint8_t kTrueColour = 2, kGrey = 3, kRunLength = 10;  // accepted image types

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

uint8_t readByte(FILE* file) {
  int c = std::fgetc(file);
  return c == EOF ? kPastEnd : static_cast<uint8_t>(c);
}

uint16_t readWord(FILE* file) {  // little-endian
  uint16_t low = readByte(file);
  return static_cast<uint16_t>(low + 256 * readByte(file));
}

int bytesPerPixel(uint8_t depth) { return depth == 8 ? 1 : 4; }

// One stored pixel into out: a grey byte at depth 8, else BGR(A) reordered to RGBA.
void readPixel(FILE* file, uint8_t depth, uint8_t* out) {
  if (depth == 8) {
    out[0] = readByte(file);
    return;
  }
  uint8_t blue = readByte(file), green = readByte(file), red = readByte(file);
  out[0] = red;
  out[1] = green;
  out[2] = blue;
  out[3] = depth == 32 ? readByte(file) : 255;
}

void readUncompressed(FILE* file, uint8_t depth, uint8_t* pixels, size_t count) {
  const int stride = bytesPerPixel(depth);
  for (size_t i = 0; i < count; ++i) readPixel(file, depth, pixels + i * stride);
}

// Run-length packets of RGBA pixels; a packet running past the last pixel is clipped
// (its surplus raw pixels are not read). Each packet advances at least one pixel,
// so a short file still ends.
void readRunLength(FILE* file, uint8_t depth, uint8_t* pixels, size_t count) {
  constexpr size_t stride = 4;
  for (size_t i = 0; i < count;) {
    uint8_t header = readByte(file);
    size_t n = std::min<size_t>((header & kPacketCountMask) + 1, count - i);
    if (header & kRunPacketBit) {
      readPixel(file, depth, pixels + i * stride);
      for (size_t k = 1; k < n; ++k) std::memcpy(pixels + (i + k) * stride, pixels + i * stride, stride);
    } else {
      readUncompressed(file, depth, pixels + i * stride, n);
    }
    i += n;
  }
}

void reverseRows(uint8_t* pixels, int width, int height, int stride) {
  const size_t rowBytes = static_cast<size_t>(width) * stride;
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(pixels + top * rowBytes, pixels + (top + 1) * rowBytes, pixels + bottom * rowBytes);
}

bool supported(uint8_t imageType, uint8_t depth) {
  bool typeOk = imageType == kTrueColour || imageType == kGrey || imageType == kRunLength;
  bool depthOk = depth == 8 || depth == 24 || depth == 32;
  // Run-length packets are decoded as RGBA pixels only.
  return typeOk && depthOk && !(imageType == kRunLength && depth == 8);
}

}  // namespace

bool TgaImage::load(const char* path, bool bottomRowFirst) {
  if (pixels) return true;
  File file(std::fopen(path, "rb"));
  if (!file) return false;
  FILE* in = file.get();

  idLength = readByte(in);
  colourMapType = readByte(in);
  imageType = readByte(in);
  colourMapFirst = readWord(in);
  colourMapLength = readWord(in);
  colourMapEntrySize = readByte(in);
  originX = readWord(in);
  originY = readWord(in);
  headerWidth = readWord(in);
  headerHeight = readWord(in);
  depth = readByte(in);
  descriptor = readByte(in);

  if (!supported(imageType, depth)) return false;
  const int w = static_cast<int16_t>(headerWidth), h = static_cast<int16_t>(headerHeight);
  if (w <= 0 || h <= 0) return false;

  const size_t count = static_cast<size_t>(w) * h;
  const int stride = bytesPerPixel(depth);
  pixels = new (std::nothrow) uint8_t[count * stride];
  if (!pixels) return false;

  if (imageType == kRunLength)
    readRunLength(in, depth, pixels, count);
  else
    readUncompressed(in, depth, pixels, count);

  width = w;
  height = h;
  bits = stride * 8;
  bool storedTopFirst = descriptor & kTopRowFirstBit;
  if (storedTopFirst == bottomRowFirst) reverseRows(pixels, width, height, stride);
  return true;
}

bool TgaImage::release() {
  if (!pixels) return false;
  delete[] pixels;
  pixels = nullptr;
  return true;
}
