// The little party-goer that the player stomps: a big round head with a
// party hat, a striped shirt, shorts and red shoes, and waving gloved arms.
#include <cmath>

#include "art.h"

namespace art {

namespace {

constexpr Rgba kSkin = hex(0xFFC9A0);
constexpr Rgba kSkinShade = hex(0xF29E7E);
constexpr Rgba kCheek = hex(0xFF6F91, 0.55f);
constexpr Rgba kEyeWhite = hex(0xFFFFFF);
constexpr Rgba kPupil = hex(0x24133A);
constexpr Rgba kMouth = hex(0xB0243E);
constexpr Rgba kTongue = hex(0xFF7A8A);
constexpr Rgba kHatA = hex(0xFF3D7F);
constexpr Rgba kHatB = hex(0xFFE04A);
constexpr Rgba kPompom = hex(0x3DD6F5);
constexpr Rgba kShirt = hex(0x19C3B4);
constexpr Rgba kShirtStripe = hex(0xFFF4C2);
constexpr Rgba kShorts = hex(0x6B4DE6);
constexpr Rgba kShoe = hex(0xF03A3A);
constexpr Rgba kSole = hex(0xFFFFFF);
constexpr Rgba kGlove = hex(0xFFFFFF);
constexpr Rgba kGloveShade = hex(0xD9DEF5);

constexpr float kInkWidth = 0.03f;  // outline in game units: about 4 pixels on the sprites

// Horizontal stripes across the shirt.
Paint stripes(Rgba base, Rgba stripe, float period) {
  return [=](V2 p) {
    float t = p.y / period;
    return t - std::floor(t) < 0.35f ? stripe : base;
  };
}

Shape headShape() { return ellipse({0, -0.1f}, 0.37f, 0.32f); }

void drawHat(Canvas& c) {
  c.push();
  c.translate({0.12f, 0.16f});
  c.rotate(-18);
  Shape cone = grow(polygon({{-0.11f, 0}, {0.11f, 0}, {0.0f, 0.21f}}), 0.012f);
  c.inked(cone, stripes(kHatA, kHatB, 0.07f), kInk, kInkWidth);
  c.inked(circle({0, 0.225f}, 0.045f), radial({-0.015f, 0.24f}, 0.055f, lighter(kPompom, 0.5f), kPompom), kInk,
          kInkWidth);
  c.pop();
}

void drawEye(Canvas& c, V2 at) {
  c.inked(ellipse(at, 0.085f, 0.11f), kEyeWhite, kInk, kInkWidth * 0.8f);
  V2 pupil = at + V2{0.012f, -0.02f};
  c.fill(ellipse(pupil, 0.058f, 0.07f), kPupil);
  c.fill(circle(pupil + V2{0.022f, 0.028f}, 0.022f), kEyeWhite);
  c.fill(circle(pupil + V2{-0.02f, -0.03f}, 0.01f), kEyeWhite);
}

void drawMouth(Canvas& c) {
  Shape smile = ellipse({0, -0.2f}, 0.1f, 0.085f) & box({0, -0.3f}, {0.2f, 0.1f});
  c.inked(smile, kMouth, kInk, kInkWidth * 0.8f);
  c.fill(ellipse({0, -0.28f}, 0.055f, 0.03f) & grow(smile, -0.005f), kTongue);
}

Shape torsoShape() { return blend(ellipse({0, 0.47f}, 0.255f, 0.23f), ellipse({0, 0.82f}, 0.19f, 0.2f), 0.12f); }

}  // namespace

void drawVictimHead(Canvas& c) {
  Shape head = headShape();
  c.inked(head, radial({-0.1f, 0.02f}, 0.45f, lighter(kSkin, 0.25f), kSkin), kInk, kInkWidth);
  c.fill(head - moved(grow(head, 0.02f), {-0.03f, 0.05f}), withAlpha(kSkinShade, 0.7f));
  drawHat(c);
  c.fillSoft(ellipse({-0.25f, -0.2f}, 0.06f, 0.04f), solid(kCheek), 0.03f);
  c.fillSoft(ellipse({0.25f, -0.2f}, 0.06f, 0.04f), solid(kCheek), 0.03f);
  drawEye(c, {-0.13f, -0.04f});
  drawEye(c, {0.13f, -0.04f});
  drawMouth(c);
}

void drawVictimBody(Canvas& c) {
  for (float side : {-1.0f, 1.0f}) {
    c.inked(capsule({side * 0.1f, 0.08f}, {side * 0.1f, 0.34f}, 0.05f), kSkin, kInk, kInkWidth);
    Shape shoe = ellipse({side * 0.12f, 0.065f}, 0.09f, 0.058f);
    c.inked(shoe, radial({side * 0.1f, 0.1f}, 0.1f, lighter(kShoe, 0.3f), kShoe), kInk, kInkWidth);
    c.fill(shoe & box({side * 0.12f, 0.0f}, {0.1f, 0.035f}), kSole);
  }
  c.inked(capsule({0, 0.95f}, {0, 1.1f}, 0.08f), kSkin, kInk, kInkWidth);
  Shape torso = torsoShape();
  c.inked(torso, stripes(kShirt, kShirtStripe, 0.12f), kInk, kInkWidth);
  c.fill(torso & box({0, 0.3f}, {0.4f, 0.12f}), kShorts);
  c.fill(torso & box({0, 0.42f}, {0.4f, 0.012f}), kInk);
  c.fill(torso - moved(torso, {-0.05f, 0.03f}), withAlpha(darker(kShirt, 0.5f), 0.35f));
}

void drawVictimArm(Canvas& c) {
  c.inked(capsule({0, 0.0f}, {0, 0.52f}, 0.045f), kSkin, kInk, kInkWidth);
  c.inked(taperedCapsule({0, 0.0f}, {0, 0.24f}, 0.065f, 0.058f), kShirt, kInk, kInkWidth);
  Shape glove =
      blend(circle({0, 0.62f}, 0.08f),
            circle({-0.05f, 0.69f}, 0.034f) | circle({0, 0.71f}, 0.036f) | circle({0.05f, 0.69f}, 0.034f), 0.025f);
  c.inked(glove, radial({0, 0.64f}, 0.1f, kGlove, kGloveShade), kInk, kInkWidth);
  c.inked(box({0, 0.535f}, {0.07f, 0.025f}, 0.02f), kGlove, kInk, kInkWidth * 0.8f);
}

void drawVictim(Canvas& c, float swing) {
  constexpr V2 kShoulder{0, sprite::kShoulderHeight};
  for (float side : {-1.0f, 1.0f}) {
    c.push();
    c.translate(kShoulder);
    c.rotate(-side * (70 - 15 * swing));
    float size = (side < 0 ? sprite::kFirstArmSize : sprite::kSecondArmSize) / sprite::kArm.height;
    c.scale(size, size);
    drawVictimArm(c);
    c.pop();
  }
  c.push();
  c.rotate(5 * swing);
  drawVictimBody(c);
  c.pop();
  c.push();
  c.translate({0, sprite::kHeadHeight});
  drawVictimHead(c);
  c.pop();
}

}  // namespace art
