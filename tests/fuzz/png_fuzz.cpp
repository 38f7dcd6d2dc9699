// libFuzzer target: PngImage::load on arbitrary file contents, in both row orders.
// PNG chunks carry CRCs that random mutation almost never gets right, so a custom
// mutator starts from a small valid picture and repairs the CRCs after mutating.
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "media/PngImage.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A 3x2 RGBA picture with a transparent texel, encoded by libpng itself.
std::vector<uint8_t> seedPicture() {
  const uint8_t rgba[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,
                          9, 9, 9, 0, 200, 100, 50, 128, 1, 2, 3, 4};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 2;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgba, 0, nullptr);
  std::vector<uint8_t> bytes(size);
  png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba, 0, nullptr);
  bytes.resize(size);
  return bytes;
}

uint32_t crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

uint32_t readBigEndian(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// Rewrites the CRC of every complete chunk over its type and data.
void repairCrcs(uint8_t* data, size_t size) {
  for (size_t at = sizeof kSignature; at + 12 <= size;) {
    size_t length = readBigEndian(data + at);
    if (length > size - at - 12) return;
    uint32_t crc = crc32(data + at + 4, length + 4);
    uint8_t* out = data + at + 8 + length;
    out[0] = crc >> 24, out[1] = crc >> 16, out[2] = crc >> 8, out[3] = crc;
    at += length + 12;
  }
}

std::string writeTemp(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/png_fuzz-" + std::to_string(getpid()) + ".png";
  FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path;
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned) {
  static const std::vector<uint8_t> seed = seedPicture();
  if ((size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) && seed.size() <= maxSize) {
    std::memcpy(data, seed.data(), seed.size());
    size = seed.size();
  }
  size = LLVMFuzzerMutate(data, size, maxSize);
  repairCrcs(data, size);
  return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = writeTemp(data, size);
  for (bool bottomRowFirst : {false, true}) {
    PngImage image;
    if (image.load(path.c_str(), bottomRowFirst)) {
      if (image.width <= 0 || image.height <= 0) __builtin_trap();
      if (image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4) __builtin_trap();
    } else if (!image.rgba.empty()) {
      __builtin_trap();
    }
  }
  std::remove(path.c_str());
  return 0;
}
