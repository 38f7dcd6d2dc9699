#include "media/PngImage.h"

#include <png.h>

#include <cstdio>
#include <new>
#include <utility>

#include "media/StdioFile.h"

namespace {

// libpng's reader state, freed on every way out.
struct Reader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

// A failed picture is just missing: errors end the decode, nothing is printed.
[[noreturn]] void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

// Every colour type and depth becomes 8-bit RGBA with the stored values: only
// the transforms asked for here run, and none of them is a gamma conversion.
void requestRgba(png_structp png) {
  png_set_expand(png);    // palette to RGB, grey below 8 bits to 8, tRNS to an alpha channel
  png_set_scale_16(png);  // 16-bit samples to 8 by plain scaling
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // opaque where the file has no alpha
}

// libpng's errors jump back here, so this frame holds plain values only; the
// pixels go to the caller's buffer, which stays valid whatever happens.
bool decode(png_structp png, png_infop info, int maxSide, size_t maxBytes, bool bottomRowFirst, PngImage* image) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, maxSide, maxSide);  // an oversized header fails before any row exists
  png_read_info(png, info);
  if (pictureBytes(png_get_image_width(png, info), png_get_image_height(png, info)) > maxBytes) return false;
  requestRgba(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  if (rowBytes != static_cast<size_t>(width) * 4) return false;
  image->rgba.resize(rowBytes * height);
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < height; ++y) {
      png_uint_32 row = bottomRowFirst ? height - 1 - y : y;
      png_read_row(png, image->rgba.data() + row * rowBytes, nullptr);
    }
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  return true;
}

}  // namespace

bool PngImage::load(const char* path, bool bottomRowFirst, int maxSide, size_t maxBytes) {
  StdioFile file = openForReading(path);
  if (!file) return false;
  Reader reader;
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
  if (!reader.png) return false;
  reader.info = png_create_info_struct(reader.png);
  if (!reader.info) return false;
  png_init_io(reader.png, file.get());

  PngImage decoded;
  try {
    if (!decode(reader.png, reader.info, maxSide, maxBytes, bottomRowFirst, &decoded)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  *this = std::move(decoded);
  return true;
}
