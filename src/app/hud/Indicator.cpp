#include "app/hud/Grid.h"
#include "app/hud/Hud.h"
#include "core/Assets.h"
#include "core/Sprites.h"
#include "media/Texture.h"
#include "render/Render.h"

namespace hud {

namespace {

constexpr int kSquareButtons = 9;
constexpr int kGridColumns = 3;
constexpr float kIndicatorAlpha = 0.75f;
constexpr float kGold[3] = {1.0f, 0.8f, 0.1f};  // the square the pad setup asks for

unsigned indicatorList = 0;  // textured unit quad of one indicator square

// A square (aspect 1) or a bar at (column, row) of the grid, in grid units.
void drawButton(float column, float row, float aspect, bool lit, bool gold) {
  pushMatrix();
  translate(column, row, 0);
  float s = lit ? indicator::kLitScale : indicator::kUnlitScale;
  scale(s, s * aspect, 1);
  if (gold && lit)
    setColor(kGold[0], kGold[1], kGold[2], 1);
  else if (gold)
    setColor(1, 1, 1, kIndicatorAlpha);
  callList(indicatorList);
  popMatrix();
}

}  // namespace

void load() { indicatorList = QuadBuilder::instance().makeQuadList(assets::kPadIndicator, 0, 0); }

void drawGrid(const GridStyle& style, const bool (&lit)[kPadButtons]) {
  pushMatrix();
  translate(style.x, style.y, 0);
  scale(style.pitch, style.pitch, 1);
  setColor(1, 1, 1, kIndicatorAlpha);
  for (int i = 0; i < kSquareButtons; ++i)
    drawButton(static_cast<float>(i % kGridColumns), -static_cast<float>(i / kGridColumns), 1, lit[i], style.gold);
  drawButton(0, indicator::kBarRise, indicator::kBarAspect, lit[kButtonSelect], style.gold);
  drawButton(kGridColumns - 1, indicator::kBarRise, indicator::kBarAspect, lit[kButtonStart], style.gold);
  popMatrix();
}

void drawIndicator(const PadFrame& pads) {
  float width = 0;
  pixelOverlayBegin(&width, nullptr);
  bool held[kPadButtons];
  for (int button = 0; button < kPadButtons; ++button) held[button] = pads.held(button, 0);
  drawGrid({width - indicator::kSquare0FromRight, indicator::kSquare0FromBottom, indicator::kPitch, false}, held);
  overlayEnd();
}

}  // namespace hud
