// libFuzzer target: TgaImage::load on arbitrary file contents, in both row orders.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "media/TgaImage.h"

namespace {

std::string writeTemp(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tga_fuzz-" + std::to_string(getpid()) + ".tga";
  FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path;
}

// Reads every byte the record claims to own, so a short buffer shows up under ASan.
void touchPixels(const TgaImage& image) {
  if (image.width <= 0 || image.height <= 0 || (image.bits != 8 && image.bits != 32)) __builtin_trap();
  size_t size = static_cast<size_t>(image.width) * image.height * (image.bits / 8);
  uint8_t sum = 0;
  for (size_t i = 0; i < size; ++i) sum += image.pixels[i];
  volatile uint8_t sink = sum;
  (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = writeTemp(data, size);
  for (bool bottomRowFirst : {false, true}) {
    TgaImage image;
    if (image.load(path.c_str(), bottomRowFirst)) {
      touchPixels(image);
      if (!image.load(path.c_str(), !bottomRowFirst)) __builtin_trap();  // a loaded record stays loaded
      if (!image.release()) __builtin_trap();
    } else if (image.pixels) {
      __builtin_trap();
    }
  }
  std::remove(path.c_str());
  return 0;
}
