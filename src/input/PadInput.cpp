#include "input/PadInput.h"

#include "core/Assets.h"
#include "input/KeyboardState.h"
#include "media/Texture.h"
#include "objects/Camera.h"
#include "render/Render.h"

namespace {

constexpr int kButtonCount = 11;
constexpr int kSquareButtons = 9;
constexpr int kGridColumns = 3;

struct ButtonBinding {
  int padSlot;        // dance pad slot
  unsigned char key;  // keyboard key for pad 0; 0 for none, which typing never produces
};

// Squares row by row from the top left as the player faces the screen, then
// Start and Select. The centre square shares the pad's Start slot.
constexpr ButtonBinding kBindings[kButtonCount] = {
    {2, 'q'}, {3, 'w'}, {4, 'e'}, {9, 'a'}, {0, 0}, {5, 'd'},
    {8, 'z'}, {7, 'x'}, {6, 'c'}, {0, '3'}, {1, '1'},
};
constexpr ButtonBinding kUnbound = {0, 0};  // any other button index

constexpr float kSquare0FromRight = 116;  // pixels from the right edge to square 0's centre
constexpr float kSquare0FromBottom = 116;  // pixels from the bottom edge to square 0's centre
constexpr float kPixelsPerSquare = 40;    // grid pitch
constexpr float kIndicatorAlpha = 0.75f;
constexpr float kLitScale = 0.95f;        // of the pitch, while the button is held
constexpr float kUnlitScale = 0.65f;
constexpr float kBarRise = 0.75f;         // Start/Select bars above the top row, in squares
constexpr float kBarAspect = 0.5f;        // bar height over width
constexpr float kGold[3] = {1.0f, 0.8f, 0.1f};  // the square the pad setup asks for

const ButtonBinding& bindingOf(int button) {
  return button >= 0 && button < kButtonCount ? kBindings[button] : kUnbound;
}

const DancePad& pads() { return KeyboardState::instance().dancePad; }

bool validPad(int pad) { return pad >= 0 && pad < kMaxPads; }

float sizeOf(bool lit) { return lit ? kLitScale : kUnlitScale; }

}  // namespace

PadInput& PadInput::instance() {
  static PadInput* input = new PadInput;  // never destroyed, like every manager
  return *input;
}

void PadInput::init() { indicatorList_ = QuadBuilder::instance().makeQuadList(assets::kPadIndicator, 0, 0); }

int PadInput::padSlotOf(int button) { return bindingOf(button).padSlot; }
unsigned char PadInput::keyOf(int button) { return bindingOf(button).key; }

// Only pad 0 also answers from the keyboard.
bool PadInput::pressed(int button, int pad) const {
  if (!validPad(pad)) return false;
  int slot = padSlotOf(button);
  if (pads().current[pad][slot] && !pads().previous[pad][slot]) return true;
  return pad == 0 && KeyboardState::instance().keyPressed(keyOf(button));
}

bool PadInput::released(int button, int pad) const {
  if (!validPad(pad)) return false;
  int slot = padSlotOf(button);
  if (!pads().current[pad][slot] && pads().previous[pad][slot]) return true;
  return pad == 0 && KeyboardState::instance().keyReleased(keyOf(button));
}

bool PadInput::lit(int button) const {
  return pads().current[0][padSlotOf(button)] || KeyboardState::instance().keyHeld(keyOf(button));
}

// The 3 by 3 grid in the bottom-right corner with Select and Start bars above
// its outer columns; held buttons are drawn larger.
void PadInput::drawIndicator() const {
  float width = 0;
  pixelOverlayBegin(&width, nullptr);
  bool held[kButtonCount];
  for (int button = 0; button < kButtonCount; ++button) held[button] = lit(button);
  drawGrid({width - kSquare0FromRight, kSquare0FromBottom, kPixelsPerSquare, false}, held);
  overlayEnd();
}

void PadInput::drawSetupIndicator(float x, float y, float pitch, int litSlot) const {
  pixelOverlayBegin();
  bool asked[kButtonCount];
  for (int button = 0; button < kButtonCount; ++button) asked[button] = padSlotOf(button) == litSlot;
  drawGrid({x, y, pitch, true}, asked);
  overlayEnd();
}

void PadInput::drawGrid(const GridStyle& style, const bool* lit) const {
  pushMatrix();
  translate(style.x, style.y, 0);
  scale(style.pitch, style.pitch, 1);
  setColor(1, 1, 1, kIndicatorAlpha);
  for (int i = 0; i < kSquareButtons; ++i)
    drawButton(static_cast<float>(i % kGridColumns), -static_cast<float>(i / kGridColumns), 1, lit[i], style.gold);
  drawButton(0, kBarRise, kBarAspect, lit[kButtonSelect], style.gold);
  drawButton(kGridColumns - 1, kBarRise, kBarAspect, lit[kButtonStart], style.gold);
  popMatrix();
}

// A square (aspect 1) or a bar at (column, row) of the grid, in grid units.
void PadInput::drawButton(float column, float row, float aspect, bool lit, bool gold) const {
  pushMatrix();
  translate(column, row, 0);
  float s = sizeOf(lit);
  scale(s, s * aspect, 1);
  if (gold && lit)
    setColor(kGold[0], kGold[1], kGold[2], 1);
  else if (gold)
    setColor(1, 1, 1, kIndicatorAlpha);
  callList(indicatorList_);
  popMatrix();
}
