// GlyphAtlas: every glyph of a font packed into one texture, so a line of
// text is a single draw. The HUD's party blocks print many short lines every
// frame; glyph by glyph, each a draw of its own, they would cost the software
// renderer more than the rest of the HUD together.
#pragma once

#include <string>
#include <vector>

#include "media/GlyphRaster.h"

class GlyphAtlas {
 public:
  GlyphAtlas() = default;
  ~GlyphAtlas();
  GlyphAtlas(const GlyphAtlas&) = delete;
  GlyphAtlas& operator=(const GlyphAtlas&) = delete;

  // The glyphs by character code, as the font rendered them. Needs a GL context.
  void build(const std::vector<GlyphBitmap>& glyphs);
  // The line with its baseline's start at the origin, as the font's own print
  // draws it; characters it has no glyph for are skipped.
  void drawLine(const std::string& text) const;

 private:
  struct Place {
    float s0 = 0, t0 = 0, s1 = 0, t1 = 0;  // atlas texture corners, t0 the glyph's top row
    float left = 0, bottom = 0;             // pixels from the pen to the bitmap's bottom-left corner
    float width = 0, rows = 0, advance = 0; // pixels
  };

  unsigned texture_ = 0;        // luminance and alpha, both the glyphs' coverage
  std::vector<Place> places_;   // by character code
};
