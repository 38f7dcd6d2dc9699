#include "media/FontManager.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "media/GlyphRaster.h"
#include "render/Render.h"

namespace {

constexpr int kGlyphCount = 128;               // character codes 0..127
constexpr float kLineSpacingFactor = 1.5873016f;  // the float nearest to 1 / 0.63
constexpr int kTextBytes = 256;                // formatted text: at most 255 characters

void uploadTexture(GLuint texture, const GlyphBitmap& glyph, const GlyphTexture& size) {
  std::vector<uint8_t> texels = glyphTexels(glyph);
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

// The list draws the glyph with its baseline at y = 0 and moves the pen on.
void compileList(GLuint list, GLuint texture, const GlyphBitmap& glyph, const GlyphTexture& size) {
  float width = static_cast<float>(glyph.width);
  float rows = static_cast<float>(glyph.rows);
  glNewList(list, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPushMatrix();
  glTranslatef(static_cast<float>(glyph.left), 0, 0);
  glTranslatef(0, static_cast<float>(glyph.top) - rows, 0);
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
  glTranslatef(glyph.advance, 0, 0);
  glEndList();
}

// Builds the glyph's texture and list.
GlyphBitmap buildGlyph(FT_Face face, unsigned char ch, GLuint texture, GLuint list) {
  GlyphBitmap glyph = renderGlyph(face, ch);
  GlyphTexture size = glyphTexture(glyph.width, glyph.rows);
  uploadTexture(texture, glyph, size);
  compileList(list, texture, glyph, size);
  return glyph;
}

// From the atlas when there is one: glyph by glyph, each is a texture change.
void drawLine(const char* begin, const char* end, float offsetY, const GlyphAtlas* atlas) {
  std::string line;
  std::copy_if(begin, end, std::back_inserter(line),
               [](char c) { return static_cast<unsigned char>(c) < kGlyphCount; });
  glPushMatrix();
  glTranslatef(0, offsetY, 0);
  if (atlas)
    atlas->drawLine(line);
  else
    glCallLists(static_cast<GLsizei>(line.size()), GL_UNSIGNED_BYTE, line.data());
  glPopMatrix();
}

}  // namespace

FontManager& FontManager::instance() {
  static FontManager* font = new FontManager;
  return *font;
}

void FontManager::load(const char* path, unsigned height) {
  FontFace font(path);
  font.setHeight(height);
  FT_Face face = font.face();

  GLuint base = glGenLists(kGlyphCount);
  std::vector<unsigned> textures(kGlyphCount);
  std::vector<float> advances(kGlyphCount);
  std::vector<GlyphBitmap> glyphs(kGlyphCount);
  glGenTextures(kGlyphCount, textures.data());
  try {
    for (int ch = 0; ch < kGlyphCount; ++ch) {
      glyphs[ch] = buildGlyph(face, static_cast<unsigned char>(ch), textures[ch], base + ch);
      advances[ch] = glyphs[ch].advance;
    }
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
  atlas_.build(glyphs);
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
  const GlyphAtlas* atlas = fillShortcutAllowed(FillShortcut::PackedSprites) ? &atlas_ : nullptr;
  const char* line = text;
  for (int i = 0;; ++i) {
    const char* end = std::strchr(line, '\n');
    if (!end) end = line + std::strlen(line);
    drawLine(line, end, -lineSpacing() * static_cast<float>(i), atlas);
    if (*end == '\0') break;
    line = end + 1;
  }
  glPopAttrib();
}
