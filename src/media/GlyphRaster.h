// The font's glyphs without GL: a FreeType face opened for the font's load,
// each character rendered to 8-bit coverage, and the texels a glyph texture
// holds. FontManager uploads and draws them.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A font that cannot be loaded; what() is FreeType's failure message.
struct FontError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Bytes FreeType may hold at once while a font loads: many times what a real
// font needs, far below what a hostile one could ask for.
constexpr size_t kFreeTypeBudget = size_t{32} << 20;

// The largest font file the game reads: it is read into memory whole, once,
// so that nothing done to the file later can touch the font in use.
constexpr uint64_t kMostFontFileBytes = uint64_t{32} << 20;

// A glyph larger than this on either side would not fit a line of text; it is
// drawn as an empty glyph that still moves the pen on.
constexpr int kMaxGlyphSide = 256;  // pixels

// FreeType's library and one face, alive only while a font loads and released
// on every way out of it, throws included. All that FreeType allocates for them
// comes out of a fixed budget, so no font file can make it take more. The face
// reads the file's bytes from memory: a file cut short or rewritten while the
// font loads changes nothing that FreeType reads.
class FontFace {
 public:
  // Throws FontError: the system's reason, "not a regular file" or "File too
  // large" when the file cannot be read, else FreeType's failure message.
  explicit FontFace(const char* path);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  FT_Face face() const { return face_; }
  // The nominal size at 96 dpi; a font of bitmaps only takes its nearest size.
  void setHeight(unsigned height);

 private:
  std::string bytes_;       // the whole file, read before the face opens
  FT_MemoryRec_ memory_{};  // FreeType's allocator, drawing on the budget
  size_t allocated_ = 0;    // bytes FreeType holds now, at most kFreeTypeBudget
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;

  friend struct FreeTypeBudget;
};

struct GlyphBitmap {
  int width = 0, rows = 0;        // pixels; 0 for an empty glyph
  int left = 0;                   // pixels right of the pen
  int top = 0;                    // pixels from the baseline up to the top row
  float advance = 0;              // pixels the pen moves on
  std::vector<uint8_t> coverage;  // width*rows bytes, 0 to 255, top row first
};

// Character ch rendered at the face's size. A glyph that does not render, is too
// large, or comes in a pixel mode other than mono or grey is empty. Throws
// FontError when the glyph cannot be loaded.
GlyphBitmap renderGlyph(FT_Face face, unsigned char ch);

constexpr int kGlyphTexelBytes = 2;  // luminance, alpha

// The glyph's texture contents, laid out as glyphTexture gives for its bitmap:
// luminance and alpha both its coverage, texels outside the bitmap transparent.
std::vector<uint8_t> glyphTexels(const GlyphBitmap& glyph);

// Texture size and quad texture corner of a glyph bitmap: each side the
// smallest power of two holding it (1 for 0 or 1), the corner where the
// bitmap ends inside it.
struct GlyphTexture {
  int width;   // texels, power of two
  int height;  // texels, power of two
  float s;     // bitmap width / texture width
  float t;     // bitmap rows / texture height
};
GlyphTexture glyphTexture(int bitmapWidth, int bitmapRows);
