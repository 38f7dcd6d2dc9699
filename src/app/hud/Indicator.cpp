#include <GL/gl.h>

#include "app/hud/Grid.h"
#include "app/hud/Hud.h"
#include "app/hud/Text.h"
#include "core/Assets.h"
#include "core/Sprites.h"
#include "media/Texture.h"
#include "render/Render.h"

namespace hud {

namespace {

constexpr int kGridColumns = 3;
constexpr float kIndicatorAlpha = 0.75f;
constexpr float kGold[3] = {1.0f, 0.8f, 0.1f};  // the square the pad setup asks for
constexpr float kPlayerSpacing = 140;           // pixels between players' indicators along the bottom edge

unsigned indicatorList = 0;  // textured unit quad of one indicator square

// Where a button sits in its grid, in grid units: the squares row by row, the
// Select bar above the left column and the Start bar above the right one.
struct ButtonPlace {
  float column, row;
  float aspect;  // height over width: 1 for a square
};

ButtonPlace placeOf(int button) {
  if (button == kButtonSelect) return {0, indicator::kBarRise, indicator::kBarAspect};
  if (button == kButtonStart) return {kGridColumns - 1, indicator::kBarRise, indicator::kBarAspect};
  return {static_cast<float>(button % kGridColumns), -static_cast<float>(button / kGridColumns), 1};
}

float sizeOf(bool lit) { return lit ? indicator::kLitScale : indicator::kUnlitScale; }

// Square 0's centre: player 1's in the corner, each other player's further left.
float square0X(int slot, float windowWidth) {
  return windowWidth - indicator::kSquare0FromRight - kPlayerSpacing * static_cast<float>(slot);
}

void drawButton(const ButtonPlace& place, bool lit, bool gold) {
  pushMatrix();
  translate(place.column, place.row, 0);
  float s = sizeOf(lit);
  scale(s, s * place.aspect, 1);
  if (gold && lit)
    setColor(kGold[0], kGold[1], kGold[2], 1);
  else if (gold)
    setColour(GridStyle{}.colour, kIndicatorAlpha);
  drawQuad(indicatorList);
  popMatrix();
}

// One button's quad in window pixels, as the indicator's unit quad shows its picture.
void emitButton(const GridStyle& style, const ButtonPlace& place, bool lit) {
  float halfWidth = sizeOf(lit) * style.pitch / 2, halfHeight = halfWidth * place.aspect;
  float x = style.x + place.column * style.pitch, y = style.y + place.row * style.pitch;
  glTexCoord2f(0, 1);
  glVertex2f(x - halfWidth, y - halfHeight);
  glTexCoord2f(1, 1);
  glVertex2f(x + halfWidth, y - halfHeight);
  glTexCoord2f(1, 0);
  glVertex2f(x + halfWidth, y + halfHeight);
  glTexCoord2f(0, 0);
  glVertex2f(x - halfWidth, y + halfHeight);
}

}  // namespace

void load() { indicatorList = QuadBuilder::instance().makeQuadList(assets::kPadIndicator, 0, 0); }

void drawGrid(const GridStyle& style, const bool (&lit)[kPadButtons]) {
  pushMatrix();
  translate(style.x, style.y, 0);
  scale(style.pitch, style.pitch, 1);
  setColour(style.colour, kIndicatorAlpha);
  for (int button : {0, 1, 2, 3, 4, 5, 6, 7, 8, kButtonSelect, kButtonStart})
    drawButton(placeOf(button), lit[button], style.gold);
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

// Every player's grid in one draw: a draw per button would cost the software
// renderer more than the buttons' pixels do.
void drawIndicators(const Party& party, const PadFrame& pads) {
  if (!party.together()) return drawIndicator(pads);
  unsigned texture = TextureRegistry::instance().find(assets::kPadIndicator);
  if (!texture) return;  // a picture that failed is simply missing
  float width = 0;
  pixelOverlayBegin(&width, nullptr);
  setColour(colourOf(party.players().front()), kIndicatorAlpha);  // tinted: the texels are modulated
  bindTexture(texture);
  glBegin(GL_QUADS);
  for (const Player& player : party.players()) {
    ButtonStates buttons = party.buttonsOf(player, pads);
    GridStyle style{square0X(player.slot, width), indicator::kSquare0FromBottom, indicator::kPitch, false};
    assets::Rgb8 c = colourOf(player);
    glColor4f(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, kIndicatorAlpha);
    for (int button = 0; button < kPadButtons; ++button) emitButton(style, placeOf(button), buttons.isHeld(button));
  }
  glEnd();
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
