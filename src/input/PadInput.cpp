#include "input/PadInput.h"

#include "core/Assets.h"
#include "core/Sprites.h"
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

constexpr float kIndicatorAlpha = 0.75f;

const ButtonBinding& bindingOf(int button) {
  return button >= 0 && button < kButtonCount ? kBindings[button] : kUnbound;
}

const DancePad& pads() { return KeyboardState::instance().dancePad; }

bool validPad(int pad) { return pad >= 0 && pad < kMaxPads; }

float sizeOf(bool lit) { return lit ? indicator::kLitScale : indicator::kUnlitScale; }

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
  pushMatrix();
  translate(width - indicator::kSquare0FromRight, indicator::kSquare0FromBottom, 0);
  scale(indicator::kPitch, indicator::kPitch, 1);
  setColor(1, 1, 1, kIndicatorAlpha);
  for (int i = 0; i < kSquareButtons; ++i) {
    pushMatrix();
    translate(static_cast<float>(i % kGridColumns), -static_cast<float>(i / kGridColumns), 0);
    float s = sizeOf(lit(i));
    scale(s, s, 1);
    callList(indicatorList_);
    popMatrix();
  }
  drawBar(kButtonSelect, 0);
  drawBar(kButtonStart, kGridColumns - 1);
  popMatrix();
  overlayEnd();
}

void PadInput::drawBar(int button, int column) const {
  pushMatrix();
  translate(static_cast<float>(column), indicator::kBarRise, 0);
  float s = sizeOf(lit(button));
  scale(s, s * indicator::kBarAspect, 1);
  callList(indicatorList_);
  popMatrix();
}
