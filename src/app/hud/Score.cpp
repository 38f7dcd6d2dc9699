#include "app/hud/Hud.h"
#include "media/FontManager.h"
#include "render/Render.h"

namespace hud {

namespace {

struct ScoreLine {
  float fromTop;  // pixels from the window's top edge to the line's origin
  float scale;    // of the font's height
};

constexpr float kLeftMargin = 10;    // pixels
constexpr float kTilt = 2;           // degrees, counter-clockwise
constexpr float kTextAlpha = 0.55f;  // black, a little see-through
constexpr ScoreLine kMostLine{38, 0.55f};
constexpr ScoreLine kLastLine{60, 0.45f};
// One more step down, at the lower line's size.
constexpr ScoreLine kBestEverLine{kLastLine.fromTop + (kLastLine.fromTop - kMostLine.fromTop), kLastLine.scale};

// Scaled first, then tilted, then moved to its origin.
void printLine(const ScoreLine& line, float windowHeight, const char* format, int value) {
  pushMatrix();
  translate(kLeftMargin, windowHeight - line.fromTop, 0);
  rotate(kTilt, 0, 0, 1);
  scale(line.scale, line.scale, 1);
  FontManager::instance().print(format, value);
  popMatrix();
}

}  // namespace

void drawScore(const StompWorld& world) {
  if (world.party().together()) return drawPartyScore(world);
  float height = 0;
  pixelOverlayBegin(nullptr, &height);
  setColor(0, 0, 0, kTextAlpha);
  printLine(kMostLine, height, "Most Splatter Per Stomp: %d", world.mostPerStomp());
  printLine(kLastLine, height, "Last Stomp: %d", world.lastStomp());
  printLine(kBestEverLine, height, "Best Ever: %d", world.bestEver());
  overlayEnd();
}

}  // namespace hud
