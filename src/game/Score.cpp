// The score text: two tilted lines in the top-left corner of the window.
#include "game/StompWorld.h"
#include "media/FontManager.h"
#include "objects/Camera.h"
#include "render/Render.h"

namespace {

struct ScoreLine {
  float fromTop;  // pixels from the window's top edge to the line's origin
  float scale;    // of the font's height
};

constexpr float kLeftMargin = 10;    // pixels
constexpr float kTilt = 2;           // degrees, counter-clockwise
constexpr float kTextAlpha = 0.55f;  // black, a little see-through
constexpr ScoreLine kBestLine{38, 0.55f};
constexpr ScoreLine kLastLine{60, 0.45f};

// Scaled first, then tilted, then moved to its origin.
void placeLine(const ScoreLine& line, float windowHeight) {
  translate(kLeftMargin, windowHeight - line.fromTop, 0);
  rotate(kTilt, 0, 0, 1);
  scale(line.scale, line.scale, 1);
}

}  // namespace

void StompWorld::drawScore() {
  float height = 0;
  pixelOverlayBegin(nullptr, &height);
  setColor(0, 0, 0, kTextAlpha);
  FontManager& font = FontManager::instance();
  pushMatrix();
  pushMatrix();
  placeLine(kBestLine, height);
  font.print("Most Splatter Per Stomp: %d", mostPerStomp_);
  popMatrix();
  pushMatrix();
  placeLine(kLastLine, height);
  font.print("Last Stomp: %d", lastStomp_);
  popMatrix();
  popMatrix();
  overlayEnd();
}
