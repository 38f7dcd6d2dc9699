#include "media/TgaImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "media/StdioFile.h"

namespace {

constexpr size_t kHeaderBytes = 18;
constexpr uint8_t kTopRowFirstBit = 0x20;   // descriptor bit: the first stored row is the top row
constexpr uint8_t kRunPacketBit = 0x80;     // packet header bit: one pixel repeated
constexpr uint8_t kPacketCountMask = 0x7F;  // packet header bits: pixel count minus one
constexpr uint8_t kColourMapPresent = 1;    // colour map type: a map follows the image ID
constexpr size_t kChunkPixels = 4096;       // pixels read from the file at a time

constexpr uint8_t kTrueColour = 2, kGrey = 3, kRunLength = 10;  // accepted image types

uint16_t word(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] + 256 * bytes[1]); }  // little-endian

int storedBytesPerPixel(uint8_t depth) { return depth / 8; }
int bytesPerPixel(uint8_t depth) { return depth == 8 ? 1 : 4; }

// One stored pixel into out: a grey byte at depth 8, else BGR(A) reordered to RGBA.
void convertPixel(const uint8_t* stored, uint8_t depth, uint8_t* out) {
  if (depth == 8) {
    out[0] = stored[0];
    return;
  }
  out[0] = stored[2];
  out[1] = stored[1];
  out[2] = stored[0];
  out[3] = depth == 32 ? stored[3] : 255;
}

// count stored pixels into out; false when the file ends first (the pixels read so far are kept).
bool readPixels(FILE* file, uint8_t depth, uint8_t* out, size_t count) {
  const size_t stored = storedBytesPerPixel(depth), stride = bytesPerPixel(depth);
  uint8_t chunk[kChunkPixels * 4];
  while (count > 0) {
    size_t wanted = std::min(count, kChunkPixels);
    size_t got = std::fread(chunk, stored, wanted, file);  // whole pixels only
    for (size_t i = 0; i < got; ++i) convertPixel(chunk + i * stored, depth, out + i * stride);
    if (got < wanted) return false;
    out += got * stride;
    count -= got;
  }
  return true;
}

// Run-length packets of RGBA pixels; a packet running past the last pixel is clipped
// (its surplus raw pixels are not read). Decoding stops where the data ends, leaving
// the pixels after it as they are.
void readRunLength(FILE* file, uint8_t depth, uint8_t* pixels, size_t count) {
  constexpr size_t stride = 4;
  for (size_t i = 0; i < count;) {
    int header = std::fgetc(file);
    if (header == EOF) return;
    size_t n = std::min<size_t>((header & kPacketCountMask) + 1, count - i);
    uint8_t* first = pixels + i * stride;
    if (header & kRunPacketBit) {
      if (!readPixels(file, depth, first, 1)) return;
      for (size_t k = 1; k < n; ++k) std::memcpy(first + k * stride, first, stride);
    } else if (!readPixels(file, depth, first, n)) {
      return;
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

bool TgaImage::load(const char* path, bool bottomRowFirst, int maxSide, size_t maxBytes) {
  if (pixels) return true;
  StdioFile file = openForReading(path);
  if (!file) return false;
  FILE* in = file.get();

  uint8_t header[kHeaderBytes];
  if (std::fread(header, 1, kHeaderBytes, in) != kHeaderBytes) return false;
  idLength = header[0];
  colourMapType = header[1];
  imageType = header[2];
  colourMapFirst = word(header + 3);
  colourMapLength = word(header + 5);
  colourMapEntrySize = header[7];
  originX = word(header + 8);
  originY = word(header + 10);
  headerWidth = word(header + 12);
  headerHeight = word(header + 14);
  depth = header[16];
  descriptor = header[17];

  if (!supported(imageType, depth)) return false;
  const int w = static_cast<int16_t>(headerWidth), h = static_cast<int16_t>(headerHeight);
  if (w <= 0 || h <= 0 || w > maxSide || h > maxSide || pictureBytes(w, h) > maxBytes) return false;

  // The pixels follow the image ID and the colour map, if any.
  const size_t count = static_cast<size_t>(w) * h;
  const long long mapBytes = colourMapType == kColourMapPresent ? colourMapLength * ((colourMapEntrySize + 7) / 8) : 0;
  const long long pixelStart = static_cast<long long>(kHeaderBytes) + idLength + mapBytes;
  const long long storedBytes = imageType == kRunLength ? 0 : static_cast<long long>(count) * storedBytesPerPixel(depth);
  if (fileSize(in) < pixelStart + storedBytes) return false;
  if (std::fseek(in, static_cast<long>(pixelStart), SEEK_SET) != 0) return false;

  const int stride = bytesPerPixel(depth);
  std::unique_ptr<uint8_t[]> decoded(new (std::nothrow) uint8_t[count * stride]());
  if (!decoded) return false;
  if (imageType == kRunLength)
    readRunLength(in, depth, decoded.get(), count);
  else if (!readPixels(in, depth, decoded.get(), count))
    return false;  // shorter than it was a moment ago

  pixels = decoded.release();
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
