// Lines of text for the HUD, in the game's font, in window pixels (origin
// bottom left, y up), drawn inside a pixel overlay bracket.
#pragma once

#include <string>

#include "core/Assets.h"
#include "core/Rect.h"

namespace hud {

enum class Align { Left, Centre, Right };

// A line whose baseline starts, is centred or ends at x.
struct TextLine {
  std::string text;
  float x, baseline;  // window pixels
  float scale;        // of the font's height
  Align align = Align::Left;
};

// The box the line's letters take, descenders included.
Rect boxOf(const TextLine& line);
// The box around all of them, with a margin.
Rect boxAround(const TextLine* lines, int count, float margin);
void print(const TextLine& line);
// A see-through dark panel that makes any colour of text read over any picture;
// the darker, the more lines it holds over the busy scene.
void drawPanel(const Rect& box, float alpha = 0.55f);
void setColour(assets::Rgb8 colour, float alpha = 1);
constexpr assets::Rgb8 kWhite{255, 255, 255};

}  // namespace hud
