#include <cmath>

#include "app/hud/Hud.h"
#include "app/hud/Text.h"

namespace hud {

namespace {

constexpr float kBaselineFromTop = 28;  // pixels
constexpr float kScale = 0.55f;
constexpr float kGap = 30;              // pixels between names
constexpr float kPanelMargin = 6;

}  // namespace

// The names in a row along the top edge, centred, each in its player's colour.
void drawJoinStrip(const Party& party) {
  if (!party.together()) return;
  float width = 0, height = 0;
  pixelOverlayBegin(&width, &height);
  std::vector<TextLine> names;
  float x = 0;
  for (const Player& player : party.players()) {
    names.push_back({"Player " + std::to_string(player.slot + 1), x, height - kBaselineFromTop, kScale});
    x = boxOf(names.back()).maxX + kGap;
  }
  float shift = std::round((width - (x - kGap)) / 2);
  for (TextLine& name : names) name.x += shift;
  drawPanel(boxAround(names.data(), static_cast<int>(names.size()), kPanelMargin));
  for (size_t i = 0; i < names.size(); ++i) {
    setColour(colourOf(party.players()[i]));
    print(names[i]);
  }
  overlayEnd();
}

}  // namespace hud
