#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <cmath>
#include <stdexcept>
#include <vector>

namespace art {

namespace {

constexpr float kFixed = 64.0f;  // FreeType 26.6 fixed point

std::vector<char32_t> decodeUtf8(const std::string& s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = s[i];
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra ? c & (0x3F >> extra) : c;
    for (int k = 1; k <= extra && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

struct Placed {
  FT_UInt index;
  FT_Pos penX;  // 26.6 pixels from the line start
};

}  // namespace

struct Font::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_Stroker stroker = nullptr;

  std::vector<Placed> layout(const std::string& text, float size, FT_Pos& advance) {
    FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(size * kFixed)), 72, 72);
    std::vector<Placed> out;
    FT_Pos pen = 0;
    FT_UInt previous = 0;
    for (char32_t cp : decodeUtf8(text)) {
      FT_UInt index = FT_Get_Char_Index(face, cp);
      if (previous && index) {
        FT_Vector kern;
        FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern);
        pen += kern.x;
      }
      out.push_back({index, pen});
      FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING);
      pen += face->glyph->advance.x;
      previous = index;
    }
    advance = pen;
    return out;
  }

  // Renders one glyph (optionally stroked outward by `stroke` pixels) and
  // blends it with the paint; `origin` is the pen position in pixels.
  void blit(Canvas& c, FT_UInt index, V2 origin, float stroke, const Paint& paint) {
    FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING);
    FT_Glyph glyph;
    FT_Get_Glyph(face->glyph, &glyph);
    if (stroke > 0) {
      FT_Stroker_Set(stroker, FT_Fixed(std::lround(stroke * kFixed)), FT_STROKER_LINECAP_ROUND,
                     FT_STROKER_LINEJOIN_ROUND, 0);
      FT_Glyph_StrokeBorder(&glyph, stroker, false, true);
    }
    float fx = std::floor(origin.x), fy = std::floor(origin.y);
    FT_Vector sub{FT_Pos(std::lround((origin.x - fx) * kFixed)), FT_Pos(-std::lround((origin.y - fy) * kFixed))};
    if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, &sub, true) == 0) {
      auto* bg = reinterpret_cast<FT_BitmapGlyph>(glyph);
      const FT_Bitmap& bm = bg->bitmap;
      for (unsigned row = 0; row < bm.rows; ++row) {
        for (unsigned col = 0; col < bm.width; ++col) {
          unsigned char v = bm.buffer[row * bm.pitch + col];
          if (!v) continue;
          int px = int(fx) + bg->left + int(col), py = int(fy) - bg->top + int(row);
          c.blendPixel(px, py, paint(c.pixelToWorld(px + 0.5f, py + 0.5f)), v / 255.0f);
        }
      }
    }
    FT_Done_Glyph(glyph);
  }
};

Font::Font(const std::string& path) : impl(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl->library) || FT_New_Face(impl->library, path.c_str(), 0, &impl->face) ||
      FT_Stroker_New(impl->library, &impl->stroker))
    throw std::runtime_error("cannot load font " + path);
}

Font::~Font() {
  FT_Stroker_Done(impl->stroker);
  FT_Done_Face(impl->face);
  FT_Done_FreeType(impl->library);
}

float Font::width(const std::string& text, float size) const {
  FT_Pos advance;
  impl->layout(text, size, advance);
  return advance / kFixed;
}

void Font::draw(Canvas& c, const std::string& text, V2 at, const TextStyle& style) const {
  FT_Pos advance;
  std::vector<Placed> glyphs = impl->layout(text, style.size, advance);
  V2 start = c.worldToPixel(at);
  V2 shadowStart = c.worldToPixel(at + style.shadowOffset);
  auto pass = [&](V2 origin, float stroke, const Paint& paint) {
    for (const Placed& g : glyphs) impl->blit(c, g.index, {origin.x + g.penX / kFixed, origin.y}, stroke, paint);
  };
  if (style.shadow.a > 0) pass(shadowStart, style.outlineWidth, solid(style.shadow));
  if (style.outline.a > 0 && style.outlineWidth > 0) pass(start, style.outlineWidth, solid(style.outline));
  pass(start, 0, style.fill);
}

void Font::drawCentred(Canvas& c, const std::string& text, V2 at, const TextStyle& style) const {
  draw(c, text, {at.x - width(text, style.size) / 2, at.y}, style);
}

}  // namespace art
