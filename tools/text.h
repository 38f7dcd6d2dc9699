// Text for the slides, rasterised by FreeType from the game's own font.
#pragma once

#include <memory>
#include <string>

#include "raster.h"

namespace art {

struct TextStyle {
  float size = 32;                   // pixel height of the em square
  Paint fill = solid({1, 1, 1, 1});  // evaluated in world coordinates
  Rgba outline{0, 0, 0, 0};          // transparent: no outline
  float outlineWidth = 0;            // pixels
  Rgba shadow{0, 0, 0, 0};           // transparent: no drop shadow
  V2 shadowOffset{4, -4};            // world units
};

class Font {
 public:
  explicit Font(const std::string& path);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Text is laid out in pixels, so the canvas should map one world unit to
  // one pixel, as the slides do.
  float width(const std::string& text, float size) const;  // pixels
  // Draws a line with its baseline starting at `at` (world coordinates).
  void draw(Canvas& c, const std::string& text, V2 at, const TextStyle& style) const;
  void drawCentred(Canvas& c, const std::string& text, V2 at, const TextStyle& style) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl;
};

}  // namespace art
