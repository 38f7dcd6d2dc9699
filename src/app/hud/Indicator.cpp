#include "app/hud/Grid.h"
#include "app/hud/Hud.h"
#include "app/hud/Text.h"
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
constexpr float kPlayerSpacing = 140;           // pixels between players' indicators along the bottom edge

// Square 0's centre: player 1's in the corner, each other player's further left.
float square0X(int slot, float windowWidth) {
  return windowWidth - indicator::kSquare0FromRight - kPlayerSpacing * static_cast<float>(slot);
}

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
    setColour(GridStyle{}.colour, kIndicatorAlpha);
  callList(indicatorList);
  popMatrix();
}

}  // namespace

void load() { indicatorList = QuadBuilder::instance().makeQuadList(assets::kPadIndicator, 0, 0); }

void drawGrid(const GridStyle& style, const bool (&lit)[kPadButtons]) {
  pushMatrix();
  translate(style.x, style.y, 0);
  scale(style.pitch, style.pitch, 1);
  setColour(style.colour, kIndicatorAlpha);
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
  drawGrid({square0X(0, width), indicator::kSquare0FromBottom, indicator::kPitch, false}, held);
  overlayEnd();
}

void drawIndicators(const Party& party, const PadFrame& pads) {
  if (!party.together()) return drawIndicator(pads);
  float width = 0;
  pixelOverlayBegin(&width, nullptr);
  for (const Player& player : party.players()) {
    ButtonStates buttons = party.buttonsOf(player, pads);
    bool held[kPadButtons];
    for (int button = 0; button < kPadButtons; ++button) held[button] = buttons.isHeld(button);
    GridStyle style{square0X(player.slot, width), indicator::kSquare0FromBottom, indicator::kPitch, false,
                    colourOf(player)};
    drawGrid(style, held);
  }
  overlayEnd();
}

// From the bottom row's lit squares to the top of the lit bars.
Rect indicatorBox(int slot, WindowSize window) {
  float x = square0X(slot, static_cast<float>(window.width)), y = indicator::kSquare0FromBottom;
  float half = indicator::kPitch * indicator::kLitScale / 2;
  float barTop = y + indicator::kPitch * (indicator::kBarRise + indicator::kLitScale * indicator::kBarAspect / 2);
  return {x - half, y - 2 * indicator::kPitch - half, x + 2 * indicator::kPitch + half, barTop};
}

}  // namespace hud
