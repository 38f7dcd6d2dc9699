// The four full-window slides shown before the game.
#pragma once

#include <vector>

#include "raster.h"
#include "text.h"

namespace art {

constexpr int kSlideWidth = 1024;  // 4:3, drawn over the whole 800 by 600 window
constexpr int kSlideHeight = 768;

struct Slide {
  const char* path;  // the game's path of the picture
  void (*draw)(Canvas& c, const Font& font);  // world units are pixels, y up
};

const std::vector<Slide>& slides();

}  // namespace art
