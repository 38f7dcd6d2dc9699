// FontManager: one TrueType font rasterised once into 128 glyph textures and
// display lists; print draws printf-style text line by line, downwards.
#pragma once

#include <string>
#include <vector>

#include "media/GlyphAtlas.h"
#include "media/GlyphRaster.h"  // FontError, which load throws

class FontManager {
 public:
  static FontManager& instance();

  // Throws FontError with FreeType's failure message; on a throw the
  // font loaded before stays in use.
  void load(const char* path, unsigned height);
  // Bytes of 128 and above are skipped: the font has glyphs for 0..127 only.
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // One line in a single draw, from the font's atlas: for many short lines a frame.
  void printLine(const std::string& line) const { atlas_.drawLine(line); }

  float lineSpacing() const;
  float height() const { return height_; }  // pixels: the nominal size of the font loaded
  // Pixels the pen moves over one line of text at the font's size; 0 before any load.
  float width(const std::string& line) const;

 private:
  float height_ = 0;               // nominal size of the latest load
  std::vector<unsigned> textures_; // 128 texture names, index = character code
  unsigned listBase_ = 0;          // list listBase_ + ch draws character ch
  std::vector<float> advances_;    // pixels the pen moves after each character
  GlyphAtlas atlas_;               // the same glyphs in one texture
};
