#include "media/PngImage.h"

#include <png.h>

#include <new>
#include <utility>

namespace {

// Larger than any picture the game draws; bounds the buffer a corrupt header can ask for.
constexpr png_uint_32 kMaxSide = 8192;

struct ImageGuard {  // frees libpng's reader state (and closes the file) on every path
  png_image* image;
  ~ImageGuard() { png_image_free(image); }
};

}  // namespace

bool PngImage::load(const char* path, bool bottomRowFirst) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ImageGuard guard{&image};
  if (!png_image_begin_read_from_file(&image, path)) return false;
  if (image.width > kMaxSide || image.height > kMaxSide) return false;

  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(PNG_IMAGE_SIZE(image));
  } catch (const std::bad_alloc&) {
    return false;
  }
  // A negative stride makes libpng store the bottom row first.
  png_int_32 stride = static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(image));
  if (!png_image_finish_read(&image, nullptr, buffer.data(), bottomRowFirst ? -stride : stride, nullptr)) return false;

  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  rgba = std::move(buffer);
  return true;
}
