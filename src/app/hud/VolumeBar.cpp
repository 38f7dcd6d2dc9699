#include "app/hud/VolumeBar.h"

#include "app/Volume.h"
#include "core/Assets.h"
#include "media/Texture.h"
#include "render/Render.h"

namespace hud {

namespace {

constexpr int kBlocks = Volume::kFull / Volume::kStep;
constexpr float kFromRight = 24;      // pixels from the right edge to the last block's centre
constexpr float kFromTop = 36;        // pixels from the top edge to the blocks' bottom
constexpr float kPitch = 14;          // pixels between block centres
constexpr float kWidth = 12;          // pixels
constexpr float kLowest = 8;          // pixels, the first block's height; each one after is taller
constexpr float kRise = 2;            // pixels
constexpr float kUnlitAlpha = 0.3f;
constexpr float kMutedColour[3] = {0.7f, 0.15f, 0.1f};

// The pad indicator's square picture, outlined so it reads over any screen;
// made at the first volume key.
unsigned blockList() {
  static unsigned list = QuadBuilder::instance().makeQuadList(assets::kPadIndicator, 0, 0);
  return list;
}

}  // namespace

void drawVolumeBar(int percent, bool muted) {
  float width = 0, height = 0;
  pixelOverlayBegin(&width, &height);
  for (int block = 0; block < kBlocks; ++block) {
    bool lit = block < percent / Volume::kStep;
    if (lit && muted)
      setColor(kMutedColour[0], kMutedColour[1], kMutedColour[2], 1);
    else
      setColor(1, 1, 1, lit ? 1 : kUnlitAlpha);
    float blockHeight = kLowest + kRise * static_cast<float>(block);
    pushMatrix();
    float x = width - kFromRight - kPitch * static_cast<float>(kBlocks - 1 - block);
    translate(x, height - kFromTop + blockHeight / 2, 0);
    scale(kWidth, blockHeight, 1);
    drawQuad(blockList());
    popMatrix();
  }
  overlayEnd();
}

}  // namespace hud
