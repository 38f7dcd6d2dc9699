#include "app/hud/Text.h"

#include <algorithm>
#include <cmath>

#include "media/FontManager.h"
#include "render/Render.h"

namespace hud {

namespace {

constexpr float kAscent = 0.8f;    // of the scaled font height above the baseline
constexpr float kDescent = 0.3f;   // below it

float leftOf(const TextLine& line) {
  float width = FontManager::instance().width(line.text) * line.scale;
  switch (line.align) {
    case Align::Left: return line.x;
    case Align::Centre: return std::round(line.x - width / 2);
    case Align::Right: return std::round(line.x - width);
  }
  return line.x;
}

}  // namespace

Rect boxOf(const TextLine& line) {
  float left = leftOf(line), height = FontManager::instance().height() * line.scale;
  float width = FontManager::instance().width(line.text) * line.scale;
  return {left, line.baseline - kDescent * height, left + width, line.baseline + kAscent * height};
}

Rect boxAround(const TextLine* lines, int count, float margin) {
  Rect box = boxOf(lines[0]);
  for (int i = 1; i < count; ++i) {
    Rect b = boxOf(lines[i]);
    box = {std::min(box.minX, b.minX), std::min(box.minY, b.minY), std::max(box.maxX, b.maxX),
           std::max(box.maxY, b.maxY)};
  }
  return box.grown(margin);
}

void print(const TextLine& line) {
  pushMatrix();
  translate(leftOf(line), line.baseline, 0);
  scale(line.scale, line.scale, 1);
  FontManager::instance().printLine(line.text);
  popMatrix();
}

void drawPanel(const Rect& box, float alpha) {
  setColor(0, 0, 0, alpha);
  fillRect(box.minX, box.minY, box.maxX, box.maxY);
}

void setColour(assets::Rgb8 colour, float alpha) {
  setColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, alpha);
}

}  // namespace hud
