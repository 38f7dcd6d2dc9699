#include "media/GlyphAtlas.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kAtlasWidth = 512;  // texels; rows of glyphs are packed across it
constexpr int kBorder = 1;        // texels round every glyph: as far as linear filtering reaches past its edge

struct Packing {
  std::vector<int> x, y;  // each glyph's top-left texel
  int height = 0;         // texels used
};

// Shelf packing: left to right along a row, a new row when one is full.
Packing pack(const std::vector<GlyphBitmap>& glyphs) {
  Packing p;
  int x = kBorder, y = kBorder, rowHeight = 0;
  for (const GlyphBitmap& g : glyphs) {
    if (x + g.width + kBorder > kAtlasWidth) {
      x = kBorder;
      y += rowHeight + 2 * kBorder;
      rowHeight = 0;
    }
    p.x.push_back(x);
    p.y.push_back(y);
    x += g.width + 2 * kBorder;
    rowHeight = std::max(rowHeight, g.rows);
  }
  p.height = y + rowHeight + kBorder;
  return p;
}

// The glyph's coverage at a texel of its own texture, whose bitmap sits in the
// corner of a power-of-two square, transparent elsewhere, and which repeats
// (GL's default wrap): the border drawn from the atlas samples what the
// glyph's own texture did.
uint8_t ownTexel(const GlyphBitmap& g, const GlyphTexture& size, int col, int row) {
  col = (col % size.width + size.width) % size.width;
  row = (row % size.height + size.height) % size.height;
  return col < g.width && row < g.rows ? g.coverage[static_cast<size_t>(row) * g.width + col] : 0;
}

}  // namespace

GlyphAtlas::~GlyphAtlas() {
  if (texture_) glDeleteTextures(1, &texture_);
}

void GlyphAtlas::build(const std::vector<GlyphBitmap>& glyphs) {
  Packing p = pack(glyphs);
  std::vector<uint8_t> texels(static_cast<size_t>(kAtlasWidth) * p.height * kGlyphTexelBytes, 0);
  places_.assign(glyphs.size(), {});
  auto w = static_cast<float>(kAtlasWidth), h = static_cast<float>(p.height);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const GlyphBitmap& g = glyphs[i];
    GlyphTexture own = glyphTexture(g.width, g.rows);
    if (g.width > 0 && g.rows > 0)  // an empty glyph only moves the pen
      for (int row = -kBorder; row < g.rows + kBorder; ++row)
        for (int col = -kBorder; col < g.width + kBorder; ++col) {
          uint8_t* texel = &texels[(static_cast<size_t>(p.y[i] + row) * kAtlasWidth + p.x[i] + col) * kGlyphTexelBytes];
          texel[0] = texel[1] = ownTexel(g, own, col, row);
        }
    places_[i] = {p.x[i] / w, p.y[i] / h, (p.x[i] + g.width) / w, (p.y[i] + g.rows) / h,
                  static_cast<float>(g.left), static_cast<float>(g.top - g.rows),
                  static_cast<float>(g.width), static_cast<float>(g.rows), g.advance};
  }
  if (!texture_) glGenTextures(1, &texture_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // rows of two-byte texels: no padding
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, kAtlasWidth, p.height, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
               texels.data());
  glPopClientAttrib();
}

void GlyphAtlas::drawLine(const std::string& text) const {
  if (!texture_) return;
  glBindTexture(GL_TEXTURE_2D, texture_);
  glBegin(GL_QUADS);
  float pen = 0;  // pixels
  for (char c : text) {
    auto ch = static_cast<unsigned char>(c);
    if (ch >= places_.size()) continue;
    const Place& g = places_[ch];
    if (g.width > 0 && g.rows > 0) {  // counter-clockwise from the bottom left
      float x0 = pen + g.left, y0 = g.bottom, x1 = x0 + g.width, y1 = y0 + g.rows;
      glTexCoord2f(g.s0, g.t1);
      glVertex2f(x0, y0);
      glTexCoord2f(g.s1, g.t1);
      glVertex2f(x1, y0);
      glTexCoord2f(g.s1, g.t0);
      glVertex2f(x1, y1);
      glTexCoord2f(g.s0, g.t0);
      glVertex2f(x0, y1);
    }
    pen += g.advance;
  }
  glEnd();
}
