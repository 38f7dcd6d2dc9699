#include "media/GlyphRaster.h"

#include FT_GLYPH_H
#include FT_MODULE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/RegularFile.h"

namespace {

constexpr FT_UInt kDpi = 96;

struct GlyphDeleter {
  void operator()(FT_GlyphRec_* glyph) const { FT_Done_Glyph(glyph); }
};
using GlyphPtr = std::unique_ptr<FT_GlyphRec_, GlyphDeleter>;

int powerOfTwoAtLeast(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

bool fits(long width, long rows) { return width <= kMaxGlyphSide && rows <= kMaxGlyphSide; }

// Whether the loaded glyph will fit, asked before rendering: the renderer
// allocates the whole bitmap of a glyph, however large, before drawing into it.
bool fitsBeforeRendering(FT_GlyphSlot slot) {
  if (slot->format == FT_GLYPH_FORMAT_BITMAP) return fits(slot->bitmap.width, slot->bitmap.rows);
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;  // no size to check beforehand
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);  // 26.6 fixed point
  auto pixels = [](FT_Pos low, FT_Pos high) { return ((high + 63) >> 6) - (low >> 6); };  // whole pixels touched
  return fits(pixels(box.xMin, box.xMax), pixels(box.yMin, box.yMax));
}

// Bits per pixel of the pixel modes a glyph is converted from; 0 for any other.
int bitsPerPixel(unsigned char mode) {
  switch (mode) {
    case FT_PIXEL_MODE_MONO: return 1;
    case FT_PIXEL_MODE_GRAY2: return 2;
    case FT_PIXEL_MODE_GRAY4: return 4;
    case FT_PIXEL_MODE_GRAY: return 8;
    default: return 0;
  }
}

// Coverage 0 to 255 of pixel x of a row; the leftmost pixel is in a byte's high bits.
uint8_t coverageAt(const unsigned char* row, unsigned x, int bits) {
  const unsigned perByte = 8 / bits, maximum = (1u << bits) - 1;
  const unsigned shift = 8 - bits * (x % perByte + 1);
  const unsigned value = (row[x / perByte] >> shift) & maximum;
  return static_cast<uint8_t>(value * 255 / maximum);
}

// The rendered bitmap as 8-bit coverage; left empty when it is too large or in another pixel mode.
void copyBitmap(const FT_BitmapGlyphRec& source, GlyphBitmap& glyph) {
  const FT_Bitmap& bitmap = source.bitmap;
  const int bits = bitsPerPixel(bitmap.pixel_mode);
  const size_t rowBytes = (static_cast<size_t>(bitmap.width) * bits + 7) / 8;
  const size_t pitch = static_cast<size_t>(std::abs(bitmap.pitch));
  if (!fits(bitmap.width, bitmap.rows) || bits == 0 || pitch < rowBytes) return;
  if (bitmap.rows == 0 || bitmap.width == 0 || !bitmap.buffer) return;

  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.left = source.left;
  glyph.top = source.top;
  glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
  for (int y = 0; y < glyph.rows; ++y) {
    // A negative pitch stores the rows bottom first.
    size_t stored = bitmap.pitch >= 0 ? y : glyph.rows - 1 - y;
    const unsigned char* row = bitmap.buffer + stored * pitch;
    for (int x = 0; x < glyph.width; ++x)
      glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = coverageAt(row, x, bits);
  }
}

}  // namespace

// FreeType's allocator: each block carries its size ahead of it, so freeing it
// gives its bytes back to the budget. A request over the budget fails, which
// FreeType reports as an out-of-memory error.
struct FreeTypeBudget {
  using Header = std::max_align_t;  // keeps the block after it aligned

  static void* allocate(FT_Memory memory, long size) {
    auto* face = static_cast<FontFace*>(memory->user);
    if (size <= 0 || static_cast<size_t>(size) > kFreeTypeBudget - face->allocated_) return nullptr;
    auto* block = static_cast<Header*>(std::malloc(sizeof(Header) + size));
    if (!block) return nullptr;
    std::memcpy(block, &size, sizeof size);
    face->allocated_ += size;
    return block + 1;
  }

  static void release(FT_Memory memory, void* pointer) {
    if (!pointer) return;
    Header* block = static_cast<Header*>(pointer) - 1;
    long size = 0;
    std::memcpy(&size, block, sizeof size);
    static_cast<FontFace*>(memory->user)->allocated_ -= size;
    std::free(block);
  }

  static void* reallocate(FT_Memory memory, long currentSize, long newSize, void* pointer) {
    void* moved = allocate(memory, newSize);
    if (!moved) return nullptr;  // the old block stays FreeType's
    std::memcpy(moved, pointer, std::min(currentSize, newSize));
    release(memory, pointer);
    return moved;
  }
};

FontFace::FontFace(const char* path) {
  if (std::error_code error = readRegularFile(path, kMostFontFileBytes, bytes_)) throw FontError(error.message());
  memory_ = {this, FreeTypeBudget::allocate, FreeTypeBudget::release, FreeTypeBudget::reallocate};
  if (FT_New_Library(&memory_, &library_) != 0) throw FontError("FT_Init_FreeType failed");
  FT_Add_Default_Modules(library_);
  FT_Set_Default_Properties(library_);
  if (FT_New_Memory_Face(library_, reinterpret_cast<const FT_Byte*>(bytes_.data()), static_cast<FT_Long>(bytes_.size()), 0,
                         &face_) != 0) {
    FT_Done_Library(library_);
    throw FontError("FT_New_Face failed (there is probably a problem with your font file)");
  }
}

FontFace::~FontFace() {
  FT_Done_Face(face_);
  FT_Done_Library(library_);
}

void FontFace::setHeight(unsigned height) {
  const FT_F26Dot6 size = static_cast<FT_F26Dot6>(height) * 64;  // 26.6 fixed point
  if (FT_Set_Char_Size(face_, size, size, kDpi, kDpi) == 0 || face_->num_fixed_sizes <= 0) return;
  // Bitmaps come in the sizes the font holds only.
  const FT_Pos wanted = size * kDpi / 72;  // pixels per em, 26.6
  int nearest = 0;
  for (int i = 1; i < face_->num_fixed_sizes; ++i)
    if (std::labs(face_->available_sizes[i].y_ppem - wanted) < std::labs(face_->available_sizes[nearest].y_ppem - wanted))
      nearest = i;
  FT_Select_Size(face_, nearest);
}

GlyphBitmap renderGlyph(FT_Face face, unsigned char ch) {
  if (FT_Load_Glyph(face, FT_Get_Char_Index(face, ch), FT_LOAD_DEFAULT) != 0) throw FontError("FT_Load_Glyph failed");
  GlyphBitmap glyph;
  glyph.advance = static_cast<float>(face->glyph->advance.x >> 6);  // 26.6 fixed point to pixels
  if (!fitsBeforeRendering(face->glyph)) return glyph;
  FT_Glyph raw = nullptr;
  if (FT_Get_Glyph(face->glyph, &raw) != 0) throw FontError("FT_Get_Glyph failed");
  bool rendered = FT_Glyph_To_Bitmap(&raw, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0;
  GlyphPtr owned(raw);
  if (rendered) copyBitmap(*reinterpret_cast<FT_BitmapGlyph>(raw), glyph);
  return glyph;
}

GlyphTexture glyphTexture(int bitmapWidth, int bitmapRows) {
  GlyphTexture size{powerOfTwoAtLeast(bitmapWidth), powerOfTwoAtLeast(bitmapRows), 0, 0};
  size.s = static_cast<float>(bitmapWidth) / static_cast<float>(size.width);
  size.t = static_cast<float>(bitmapRows) / static_cast<float>(size.height);
  return size;
}

std::vector<uint8_t> glyphTexels(const GlyphBitmap& glyph) {
  const GlyphTexture size = glyphTexture(glyph.width, glyph.rows);
  std::vector<uint8_t> texels(static_cast<size_t>(size.width) * size.height * kGlyphTexelBytes, 0);
  for (int y = 0; y < glyph.rows; ++y)
    for (int x = 0; x < glyph.width; ++x) {
      uint8_t* texel = &texels[(static_cast<size_t>(y) * size.width + x) * kGlyphTexelBytes];
      texel[0] = texel[1] = glyph.coverage[static_cast<size_t>(y) * glyph.width + x];
    }
  return texels;
}
