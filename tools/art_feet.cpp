// Four giant feet seen from the side, toes to the right, each on a leg that
// comes down from the top of the picture: a bare foot, a sneaker, a cowboy
// boot and a rubber boot. The floor is y = 0.
#include <cmath>

#include "art.h"

namespace art {

namespace {

constexpr float kInkWidth = 0.22f;  // outline width in game units, about 2.5 pixels on the sprite
constexpr float kTop = 40.0f;       // well above the picture's top edge, so slides can show more leg

constexpr Rgba kSkin = hex(0xFFC09A);
constexpr Rgba kSkinShade = hex(0xE8917A);
constexpr Rgba kNail = hex(0xFFE8E0);
constexpr Rgba kJeans = hex(0x3F6FD8);
constexpr Rgba kJeansLight = hex(0x6F97EE);
constexpr Rgba kSock = hex(0xFFFFFF);
constexpr Rgba kSockStripe = hex(0xFF4D5E);
constexpr Rgba kSneaker = hex(0xFF3B4E);
constexpr Rgba kSneakerSole = hex(0xFAFAFF);
constexpr Rgba kTread = hex(0xB8BCD6);
constexpr Rgba kBadge = hex(0xFFD84A);
constexpr Rgba kLeather = hex(0xC46E2E);
constexpr Rgba kLeatherDark = hex(0x7A3E1A);
constexpr Rgba kStitch = hex(0xFFD98A);
constexpr Rgba kSteel = hex(0xD8DEE8);
constexpr Rgba kTrouserDark = hex(0x4A3A6E);
constexpr Rgba kRubber = hex(0xFFD12E);
constexpr Rgba kRubberBand = hex(0xF0453A);
constexpr Rgba kRubberSole = hex(0x3E3B50);
constexpr Rgba kTrouserPurple = hex(0x8A5BE0);
constexpr Rgba kShine = hex(0xFFFFFF, 0.55f);

Paint sideLit(Rgba c, float x0, float x1) { return linear({x0, 0}, lighter(c, 0.2f), {x1, 0}, darker(c, 0.15f)); }

// A trouser leg from the top of the picture down to `hem`.
void drawTrouser(Canvas& c, float hem, float halfWidth, Rgba colour) {
  Shape leg = box({-1.5f, (hem + kTop) / 2}, {halfWidth, (kTop - hem) / 2}, 0.35f);
  c.inked(leg, sideLit(colour, -1.5f - halfWidth, -1.5f + halfWidth), kInk, kInkWidth);
  c.fill(capsule({-0.3f, hem + 0.6f}, {-0.3f, kTop}, 0.06f), withAlpha(darker(colour, 0.4f), 0.7f));
  c.fill(box({-1.5f, hem + 0.35f}, {halfWidth, 0.12f}), withAlpha(darker(colour, 0.35f), 0.8f));
}

void drawBareFoot(Canvas& c) {
  for (V2 toe : {V2{2.75f, 2.6f}, V2{3.4f, 2.4f}, V2{3.95f, 2.1f}}) c.inked(circle(toe, 0.62f), kSkin, kInk, kInkWidth);
  Shape leg = taperedCapsule({-1.5f, kTop}, {-1.7f, 3.0f}, 2.0f, 1.9f);
  Shape foot = blend(circle({-2.0f, 1.5f}, 1.5f), ellipse({1.0f, 1.2f}, 3.6f, 1.2f), 0.8f);
  foot = blend(blend(foot, ellipse({-0.4f, 2.6f}, 2.4f, 1.6f), 0.8f), leg, 1.0f);
  c.inked(foot, sideLit(kSkin, -3.6f, 4.0f), kInk, kInkWidth);
  c.fill(foot & box({0.5f, 0.15f}, {5, 0.45f}), withAlpha(kSkinShade, 0.6f));
  Shape bigToe = ellipse({4.35f, 1.2f}, 1.05f, 0.95f);
  c.inked(bigToe, radial({4.1f, 1.5f}, 1.3f, lighter(kSkin, 0.2f), kSkin), kInk, kInkWidth);
  c.inked(ellipse({4.8f, 1.55f}, 0.4f, 0.28f), kNail, kInk, kInkWidth * 0.6f);
  c.fill(capsule({-1.9f, 3.0f}, {-1.2f, 3.1f}, 0.09f), withAlpha(kSkinShade, 0.9f));  // ankle bone
  for (int i = 0; i < 5; ++i) {                                                       // a few leg hairs
    V2 at{-2.6f + 0.55f * (i % 3), 9.0f + 2.3f * i};
    c.fill(capsule(at, at + V2{0.25f, 0.5f}, 0.06f), withAlpha(kInk, 0.6f));
  }
}

void drawSneaker(Canvas& c) {
  drawTrouser(c, 5.0f, 2.45f, kJeans);
  c.inked(box({-1.5f, 5.3f}, {2.55f, 0.55f}, 0.3f), kJeansLight, kInk, kInkWidth);  // rolled cuff
  Shape sock = box({-1.6f, 4.2f}, {1.9f, 1.0f}, 0.2f);
  c.inked(sock, kSock, kInk, kInkWidth);
  c.fill(sock & box({-1.6f, 4.3f}, {2, 0.18f}), kSockStripe);
  Shape upper = blend(box({-1.4f, 2.0f}, {2.5f, 1.7f}, 0.9f), ellipse({2.1f, 1.3f}, 3.0f, 1.25f), 0.9f);
  c.inked(upper, sideLit(kSneaker, -4, 5), kInk, kInkWidth);
  c.inked(ellipse({4.1f, 1.05f}, 1.3f, 0.8f) & upper, kSneakerSole, kInk, kInkWidth * 0.6f);  // toe cap
  for (int i = 0; i < 4; ++i) {                                                               // laces over the tongue
    V2 at{0.1f + 0.55f * i, 3.2f - 0.32f * i};
    c.inked(capsule(at, at + V2{0.45f, 0.35f}, 0.11f), kSneakerSole, kInk, kInkWidth * 0.5f);
  }
  Shape badge = polygon({{-2.6f, 1.3f}, {-0.4f, 2.7f}, {-1.0f, 1.9f}, {0.6f, 1.9f}, {-1.4f, 0.9f}, {-0.9f, 1.6f}});
  c.inked(badge, kBadge, kInk, kInkWidth * 0.6f);                                     // lightning flash
  c.inked(box({-3.75f, 3.3f}, {0.35f, 0.6f}, 0.2f), kBadge, kInk, kInkWidth * 0.6f);  // heel tab
  Shape sole = box({0.5f, 0.47f}, {4.8f, 0.47f}, 0.45f);
  c.inked(sole, kSneakerSole, kInk, kInkWidth);
  c.fill(sole & box({0.5f, 0.28f}, {5, 0.06f}), kTread);
}

void drawCowboyBoot(Canvas& c) {
  drawTrouser(c, 10.6f, 2.5f, kTrouserDark);
  Shape shaft = polygon({{-3.6f, 1.0f}, {0.3f, 1.0f}, {0.9f, 11.0f}, {-0.6f, 10.3f}, {-2.3f, 11.0f}, {-4.0f, 10.4f}});
  Shape vamp = blend(ellipse({1.0f, 1.25f}, 3.4f, 1.05f), polygon({{3.5f, 0.25f}, {5.4f, 0.35f}, {4.0f, 1.6f}}), 0.4f);
  Shape boot = blend(shaft, vamp, 0.9f);
  Shape heel = polygon({{-3.7f, 0}, {-2.1f, 0}, {-1.9f, 1.2f}, {-3.8f, 1.2f}});
  c.inked(heel, kLeatherDark, kInk, kInkWidth);
  c.inked(boot, sideLit(kLeather, -4, 5), kInk, kInkWidth);
  c.fill(boot & box({1, 0.3f}, {5, 0.18f}), kLeatherDark);  // welt
  for (int i = 0; i < 3; ++i) {                             // decorative stitching on the shaft
    float y = 4.5f + 1.9f * i;
    for (int k = 0; k < 5; ++k) {
      float x = -3.0f + 0.7f * k;
      float lift = 0.45f * std::sin(0.9f * k);
      c.fill(capsule({x, y + lift}, {x + 0.35f, y + lift + 0.25f}, 0.07f), kStitch);
    }
  }
  c.inked(star({-4.4f, 1.3f}, 6, 0.75f, 0.3f), kSteel, kInk, kInkWidth * 0.6f);  // spur
  c.inked(capsule({-4.0f, 1.35f}, {-3.4f, 1.6f}, 0.12f), kSteel, kInk, kInkWidth * 0.6f);
}

void drawRubberBoot(Canvas& c) {
  drawTrouser(c, 11.2f, 2.6f, kTrouserPurple);
  Shape boot = blend(box({-1.5f, 6.3f}, {2.35f, 5.4f}, 0.5f), ellipse({1.4f, 1.6f}, 3.6f, 1.55f), 1.0f);
  c.inked(boot, sideLit(kRubber, -4, 5), kInk, kInkWidth);
  c.inked(box({-1.5f, 11.0f}, {2.45f, 0.5f}, 0.3f), kRubberBand, kInk, kInkWidth);
  c.fillSoft(capsule({-3.0f, 3.5f}, {-3.0f, 9.8f}, 0.25f), solid(kShine), 0.25f);
  c.fillSoft(ellipse({2.6f, 2.3f}, 1.0f, 0.35f), solid(kShine), 0.3f);
  c.inked(capsule({-3.7f, 10.4f}, {-4.3f, 11.4f}, 0.2f), kRubber, kInk, kInkWidth * 0.7f);  // pull tab
  Shape sole = box({0.4f, 0.55f}, {4.9f, 0.5f}, 0.4f);
  for (int i = 0; i < 7; ++i) sole = sole | box({-3.8f + 1.35f * i, 0.1f}, {0.45f, 0.3f}, 0.15f);
  c.inked(sole, kRubberSole, kInk, kInkWidth);
}

}  // namespace

void drawFoot(Canvas& c, int which) {
  static_assert(kFootCount == 4, "a drawing for each of the game's feet");
  switch (which) {
    case 0:
      drawBareFoot(c);
      break;
    case 1:
      drawSneaker(c);
      break;
    case 2:
      drawCowboyBoot(c);
      break;
    default:
      drawRubberBoot(c);
      break;
  }
}

}  // namespace art
