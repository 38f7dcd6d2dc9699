// The pad square indicator's grid, shared by the small indicator in the corner
// and the large one on the pad setup screen. Drawn inside a pixel overlay.
#pragma once

#include "core/Assets.h"
#include "input/FrameInput.h"

namespace hud {

struct GridStyle {
  float x, y;   // window pixels of square 0's centre
  float pitch;  // pixels between square centres
  bool gold;    // lit buttons opaque gold instead of the common colour
  assets::Rgb8 colour{255, 255, 255};  // the common colour: a player's, white alone
};

// The 3 by 3 grid and the Select and Start bars; lit has one entry per pad button.
void drawGrid(const GridStyle& style, const bool (&lit)[kPadButtons]);

}  // namespace hud
