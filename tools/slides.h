// The four full-window slides shown before the game.
#pragma once

#include <vector>

#include "core/Sprites.h"
#include "raster.h"
#include "text.h"

namespace art {

constexpr int kSlideWidth = 1024;  // 4:3, drawn over the whole 800 by 600 window
constexpr int kSlideHeight = 768;
// The pad indicator's corner of the 800 by 600 window, in slide pixels (y up):
// no text or key art goes there.
constexpr Box kIndicatorCorner{kSlideWidth - indicator::kCorner * kSlideWidth / 800, 0, float(kSlideWidth),
                               indicator::kCorner * kSlideHeight / 600};

struct Slide {
  const char* path;  // the game's path of the picture
  void (*draw)(Canvas& c, const Font& font);  // world units are pixels, y up
};

const std::vector<Slide>& slides();

}  // namespace art
