// The sprites' quads as the game draws them, in world units. The asset
// generators draw each picture into the same box, so art and game agree.
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
