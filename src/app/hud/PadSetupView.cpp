#include <algorithm>
#include <cmath>

#include "app/hud/Grid.h"
#include "app/hud/Hud.h"
#include "input/PadInput.h"
#include "media/FontManager.h"
#include "render/Render.h"

namespace hud {

namespace {

struct LinePlace {
  float fromTop;  // pixels from the window's top edge to the baseline
  float scale;    // of the font's height
};

constexpr LinePlace kTitle{50, 0.7f};
constexpr LinePlace kRequest{110, 1.0f};
constexpr LinePlace kStatus{150, 0.6f};
constexpr float kHintFromBottom = 20;  // pixels, baseline of the hint
constexpr float kSetupHintScale = 0.5f;
constexpr float kPitchShare = 1.0f / 6;  // grid pitch, of the window's smaller side
constexpr float kGridBottom = 1.2f;      // bottom row's centre above the window's bottom edge, in pitches
constexpr float kInk[3] = {0, 0, 0};
constexpr float kWarning[3] = {0.6f, 0.05f, 0.05f};

void centredLine(const std::string& text, float baseline, float size, const float* colour) {
  if (text.empty()) return;
  float width = 0;
  pixelOverlayBegin(&width, nullptr);
  setColor(colour[0], colour[1], colour[2], 1);
  FontManager& font = FontManager::instance();
  translate(std::round((width - font.width(text) * size) / 2), baseline, 0);
  scale(size, size, 1);
  font.print("%s", text.c_str());
  overlayEnd();
}

// The large indicator with the buttons of the asked slot lit, square 0 centred at (x, y).
void drawSetupIndicator(float x, float y, float pitch, int litSlot) {
  pixelOverlayBegin();
  bool asked[kPadButtons];
  for (int button = 0; button < kPadButtons; ++button) asked[button] = PadInput::padSlotOf(button) == litSlot;
  drawGrid({x, y, pitch, true}, asked);
  overlayEnd();
}

}  // namespace

PadSetupText padSetupText(const PadSetup& setup) {
  PadSetupText text;
  text.title = setup.deviceName().empty() ? "Pad setup" : "Pad setup: " + setup.deviceName();
  text.hint = "Escape or F2 cancels";
  if (setup.state() == PadSetup::State::WaitingForPad) {
    text.request = "Plug in a dance pad";
    return text;
  }
  if (setup.state() != PadSetup::State::Stepping) return text;
  text.request = std::string("Step on the lit square: ") + buttonName(setup.slot());
  if (setup.takenBy() >= 0) {
    text.status = std::string("That one is already ") + buttonName(setup.takenBy()) + ": step again";
    text.taken = true;
  } else {
    int seconds = static_cast<int>(std::ceil(std::max(0.0f, setup.secondsLeft())));
    text.status = "Step " + std::to_string(setup.step() + 1) + " of " + std::to_string(PadSetup::kSteps) +
                  ", skipped in " + std::to_string(seconds) + " s";
  }
  return text;
}

void drawPadSetup(const PadSetup& setup) {
  auto width = static_cast<float>(windowSize().width);
  auto height = static_cast<float>(windowSize().height);
  float pitch = std::min(width, height) * kPitchShare;
  drawSetupIndicator(width / 2 - pitch, (kGridBottom + 2) * pitch, pitch, setup.slot());

  PadSetupText text = padSetupText(setup);
  centredLine(text.title, height - kTitle.fromTop, kTitle.scale, kInk);
  centredLine(text.request, height - kRequest.fromTop, kRequest.scale, kInk);
  centredLine(text.status, height - kStatus.fromTop, kStatus.scale, text.taken ? kWarning : kInk);
  centredLine(text.hint, kHintFromBottom, kSetupHintScale, kInk);
}

}  // namespace hud
