#include "media/FontManager.h"

#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kGlyphCount = 128;               // character codes 0..127
constexpr float kLineSpacingFactor = 1.5873016f;  // the float nearest to 1 / 0.63
constexpr FT_UInt kDpi = 96;
constexpr int kTextBytes = 256;                // formatted text: at most 255 characters
constexpr int kTexelBytes = 2;                 // luminance, alpha

// FreeType's library and one face, alive only while a font loads and released
// on every way out of it, throws included.
class FaceLoader {
 public:
  explicit FaceLoader(const char* path) {
    if (FT_Init_FreeType(&library_) != 0) throw FontError("FT_Init_FreeType failed");
    if (FT_New_Face(library_, path, 0, &face_) != 0) {
      FT_Done_FreeType(library_);
      throw FontError("FT_New_Face failed (there is probably a problem with your font file)");
    }
  }
  ~FaceLoader() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  FaceLoader(const FaceLoader&) = delete;
  FaceLoader& operator=(const FaceLoader&) = delete;

  FT_Face face() const { return face_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

struct GlyphDeleter {
  void operator()(FT_GlyphRec_* glyph) const { FT_Done_Glyph(glyph); }
};
using GlyphPtr = std::unique_ptr<FT_GlyphRec_, GlyphDeleter>;

int powerOfTwoAtLeast(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

// Luminance and alpha both the glyph's coverage; texels outside the bitmap transparent.
std::vector<unsigned char> glyphTexels(const FT_Bitmap& bitmap, const GlyphTexture& size) {
  std::vector<unsigned char> texels(static_cast<size_t>(size.width) * size.height * kTexelBytes, 0);
  for (unsigned y = 0; y < bitmap.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;  // top row first
    for (unsigned x = 0; x < bitmap.width; ++x) {
      unsigned char* texel = &texels[(static_cast<size_t>(y) * size.width + x) * kTexelBytes];
      texel[0] = texel[1] = row[x];
    }
  }
  return texels;
}

void uploadTexture(GLuint texture, const FT_Bitmap& bitmap, const GlyphTexture& size) {
  std::vector<unsigned char> texels = glyphTexels(bitmap, size);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Rows of a 1-texel-wide texture are 2 bytes: GL must not pad them to 4.
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size.width, size.height, 0, GL_LUMINANCE_ALPHA,
               GL_UNSIGNED_BYTE, texels.data());
  glPopClientAttrib();
}

// A rendered glyph: its bitmap (top row first) and where it sits against the pen.
struct GlyphImage {
  const FT_Bitmap* bitmap;
  int left;  // pixels right of the pen
  int top;   // pixels from the baseline up to the top row
};

// The list draws the glyph with its baseline at y = 0 and moves the pen on.
void compileList(GLuint list, GLuint texture, const GlyphImage& image, const GlyphTexture& size,
                 float advance) {
  float width = static_cast<float>(image.bitmap->width);
  float rows = static_cast<float>(image.bitmap->rows);
  glNewList(list, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPushMatrix();
  glTranslatef(static_cast<float>(image.left), 0, 0);
  glTranslatef(0, static_cast<float>(image.top) - rows, 0);
  glBegin(GL_QUADS);
  glTexCoord2d(0, 0);
  glVertex2f(0, rows);
  glTexCoord2d(0, size.t);
  glVertex2f(0, 0);
  glTexCoord2d(size.s, size.t);
  glVertex2f(width, 0);
  glTexCoord2d(size.s, 0);
  glVertex2f(width, rows);
  glEnd();
  glPopMatrix();
  glTranslatef(advance, 0, 0);
  glEndList();
}

// Builds the glyph's texture and list; returns its advance in pixels.
float buildGlyph(FT_Face face, unsigned char ch, GLuint texture, GLuint list) {
  if (FT_Load_Glyph(face, FT_Get_Char_Index(face, ch), FT_LOAD_DEFAULT) != 0)
    throw FontError("FT_Load_Glyph failed");
  FT_Glyph raw = nullptr;
  if (FT_Get_Glyph(face->glyph, &raw) != 0) throw FontError("FT_Get_Glyph failed");
  bool rendered = FT_Glyph_To_Bitmap(&raw, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0;
  GlyphPtr glyph(raw);
  static const FT_Bitmap kEmpty{};  // a glyph that does not render still moves the pen
  GlyphImage image{&kEmpty, 0, 0};
  if (rendered) {
    auto bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(glyph.get());
    image = {&bitmapGlyph->bitmap, bitmapGlyph->left, bitmapGlyph->top};
  }
  GlyphTexture size = glyphTexture(static_cast<int>(image.bitmap->width), static_cast<int>(image.bitmap->rows));
  uploadTexture(texture, *image.bitmap, size);
  float advance = static_cast<float>(face->glyph->advance.x >> 6);  // 26.6 fixed point to pixels
  compileList(list, texture, image, size, advance);
  return advance;
}

void drawLine(const char* begin, const char* end, float offsetY) {
  std::string line;
  std::copy_if(begin, end, std::back_inserter(line),
               [](char c) { return static_cast<unsigned char>(c) < kGlyphCount; });
  glPushMatrix();
  glTranslatef(0, offsetY, 0);
  glCallLists(static_cast<GLsizei>(line.size()), GL_UNSIGNED_BYTE, line.data());
  glPopMatrix();
}

}  // namespace

GlyphTexture glyphTexture(int bitmapWidth, int bitmapRows) {
  GlyphTexture size{powerOfTwoAtLeast(bitmapWidth), powerOfTwoAtLeast(bitmapRows), 0, 0};
  size.s = static_cast<float>(bitmapWidth) / static_cast<float>(size.width);
  size.t = static_cast<float>(bitmapRows) / static_cast<float>(size.height);
  return size;
}

FontManager& FontManager::instance() {
  static FontManager* font = new FontManager;
  return *font;
}

void FontManager::load(const char* path, unsigned height) {
  FaceLoader loader(path);
  FT_Face face = loader.face();
  FT_F26Dot6 size = static_cast<FT_F26Dot6>(height) * 64;  // 26.6 fixed point
  FT_Set_Char_Size(face, size, size, kDpi, kDpi);

  GLuint base = glGenLists(kGlyphCount);
  std::vector<unsigned> textures(kGlyphCount);
  std::vector<float> advances(kGlyphCount);
  glGenTextures(kGlyphCount, textures.data());
  try {
    for (int ch = 0; ch < kGlyphCount; ++ch)
      advances[ch] = buildGlyph(face, static_cast<unsigned char>(ch), textures[ch], base + ch);
  } catch (...) {
    glDeleteLists(base, kGlyphCount);
    glDeleteTextures(kGlyphCount, textures.data());
    throw;
  }

  if (!textures_.empty()) {  // the font this one replaces is drawn no more
    glDeleteLists(listBase_, kGlyphCount);
    glDeleteTextures(kGlyphCount, textures_.data());
  }
  height_ = static_cast<float>(height);
  textures_ = std::move(textures);
  advances_ = std::move(advances);
  listBase_ = base;
}

float FontManager::width(const std::string& line) const {
  float total = 0;
  for (char c : line) {
    auto ch = static_cast<unsigned char>(c);
    if (ch < advances_.size()) total += advances_[ch];
  }
  return total;
}

float FontManager::lineSpacing() const { return height_ * kLineSpacingFactor; }

void FontManager::print(const char* format, ...) {
  if (textures_.empty()) return;  // no font yet: list names 0..127 belong to others
  char text[kTextBytes] = "";
  if (format) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);  // longer results are cut, never overrun
    va_end(args);
  }
  glPushAttrib(GL_LIST_BIT);  // the glyph lists' base, for this text only
  glListBase(listBase_);
  const char* line = text;
  for (int i = 0;; ++i) {
    const char* end = std::strchr(line, '\n');
    if (!end) end = line + std::strlen(line);
    drawLine(line, end, -lineSpacing() * static_cast<float>(i));
    if (*end == '\0') break;
    line = end + 1;
  }
  glPopAttrib();
}
