// The sprites' quads as the game draws them, in world units, and where the pad
// indicator sits in the window. The asset generators draw each picture into
// the same box, so art and game agree.
#pragma once

struct SpriteQuad {
  float width, height;  // world units the unit quad is scaled to
  float centreY;        // the unit quad's centre before scaling: 0 centred, 0.5 standing on y = 0

  constexpr float left() const { return -width / 2; }
  constexpr float right() const { return width / 2; }
  constexpr float bottom() const { return (centreY - 0.5f) * height; }
  constexpr float top() const { return (centreY + 0.5f) * height; }
};

namespace sprite {

// The victim, standing on its feet at the origin.
constexpr SpriteQuad kHead{0.9f, 0.9f, 0};
constexpr SpriteQuad kBody{0.6f, 1.1f, 0.5f};
constexpr SpriteQuad kArm{0.75f, 0.75f, 0.5f};   // the picture's box; the two arms draw it at these sizes:
constexpr float kFirstArmSize = 0.7f;
constexpr float kSecondArmSize = 0.8f;
constexpr float kShoulderHeight = 0.9f;
constexpr float kHeadHeight = 1.5f;              // of the head's centre

// The giant foot: 11 wide and 22 tall, its sole 1.54 below the floor.
constexpr SpriteQuad kFoot{11, 22, 0.43f};

}  // namespace sprite

// The pad indicator in the window's bottom-right corner, in pixels: a 3 by 3
// grid of squares with Select and Start bars above its outer columns.
namespace indicator {

constexpr float kSquare0FromRight = 116;  // pixels from the right edge to square 0's (top left) centre
constexpr float kSquare0FromBottom = 116; // pixels from the bottom edge to square 0's centre
constexpr float kPitch = 40;              // pixels between square centres
constexpr float kLitScale = 0.95f;        // of the pitch, while the button is held
constexpr float kUnlitScale = 0.65f;
constexpr float kBarRise = 0.75f;         // Start/Select bars above the top row, in pitches
constexpr float kBarAspect = 0.5f;        // bar height over width
// The corner that full-window pictures keep free of text and key art for it:
// the indicator and a margin, in pixels from the right and bottom edges.
constexpr float kCorner = 200;

}  // namespace indicator
