// The stage: dance-mat floor, shadow, goo splat and the pad indicator square.
#include <cmath>

#include "art.h"
#include "rng.h"

namespace art {

namespace {

constexpr float kTau = 6.2831853f;

constexpr Rgba kFloorGap = hex(0x1E1546);
constexpr Rgba kFloorFrame = hex(0x2D2266);
constexpr Rgba kNeon = hex(0xFFFFFF, 0.85f);
constexpr Rgba kBulb = hex(0xFFF1A8);

constexpr Rgba kGoo = hex(0xE8243C);
constexpr Rgba kGooDark = hex(0x8E0F2A);
constexpr Rgba kGooLight = hex(0xFF7A7A);

// A closed outline through points at radius r(angle) around the origin.
Shape radialBlob(int points, const std::function<float(float)>& radius) {
  std::vector<V2> pts;
  for (int i = 0; i < points; ++i) {
    float a = kTau * i / points;
    float r = radius(a);
    pts.push_back({r * std::cos(a), r * std::sin(a)});
  }
  return polygon(pts);
}

// One 10 by 10 pad square: a rounded, bevelled panel with a motif that looks
// the same from all four sides.
void drawPanel(Canvas& c, V2 centre, PadKind kind) {
  Rgba colour = padColour(kind);
  Shape panel = box(centre, {4.3f, 4.3f}, 1.1f);
  c.fillSoft(grow(panel, 0.35f), solid(withAlpha(lighter(colour, 0.4f), 0.5f)), 0.5f);
  c.fill(grow(panel, 0.16f), kNeon);
  c.fill(panel, radial(centre, 6.0f, lighter(colour, 0.25f), darker(colour, 0.15f)));
  Shape inner = box(centre, {3.3f, 3.3f}, 0.7f);
  c.fill(inner - grow(inner, -0.25f), withAlpha(darker(colour, 0.35f), 0.6f));
  c.fill(grow(inner, -0.25f), radial(centre, 4.5f, lighter(colour, 0.1f), colour));
  Rgba motif = withAlpha(lighter(colour, 0.6f), 0.9f);
  Rgba motifInk = withAlpha(darker(colour, 0.35f), 0.8f);
  if (kind == PadKind::Corner) {  // ring of dots around a big dot, a shade deeper than the
    // square rather than pale: the pad indicator sits over a corner square, and its
    // white squares must not melt into the dots nor its dark outlines into them
    Rgba dots = darker(colour, 0.12f), dotsInk = darker(colour, 0.5f);
    for (int i = 0; i < 8; ++i) c.inked(circle(centre + rotated({0, 2.0f}, 45.0f * i), 0.32f), dots, dotsInk, 0.1f);
    c.inked(circle(centre, 1.0f), dots, dotsInk, 0.12f);
  } else if (kind == PadKind::Edge) {  // four-point star
    c.inked(star(centre, 4, 2.4f, 0.8f, 45), motif, motifInk, 0.12f);
    c.fill(circle(centre, 0.45f), withAlpha(colour, 0.9f));
  } else {  // eight-point star
    c.inked(star(centre, 8, 2.5f, 1.3f, 0), motif, motifInk, 0.12f);
    c.inked(circle(centre, 0.8f), withAlpha(lighter(colour, 0.2f), 1), motifInk, 0.12f);
  }
}

}  // namespace

PadKind padKindAt(int row, int col) {
  int offCentre = (row != 1) + (col != 1);
  return offCentre == 2 ? PadKind::Corner : offCentre == 1 ? PadKind::Edge : PadKind::Centre;
}

Rgba padColour(PadKind kind) {
  switch (kind) {
    case PadKind::Corner:
      return hex(0x22C9D8);
    case PadKind::Edge:
      return hex(0xFF5FA8);
    case PadKind::Centre:
      break;
  }
  return hex(0xFFD23F);
}

void drawShadow(Canvas& c) {
  c.fill(circle({0, 0}, 0.5f), [](V2 p) {
    float t = std::min(length(p) / 0.5f, 1.0f);
    float fade = (1 - t * t) * (1 - t * t);
    return Rgba{0.05f, 0.03f, 0.1f, 0.9f * fade};
  });
}

void drawSplatter(Canvas& c) {
  Rng rng(0x5B1A7);
  float phase[4] = {rng.range(0, kTau), rng.range(0, kTau), rng.range(0, kTau), rng.range(0, kTau)};
  Shape goo = radialBlob(160, [&](float a) {
    return 0.24f * (1 + 0.12f * std::sin(3 * a + phase[0]) + 0.08f * std::sin(5 * a + phase[1]) +
                    0.06f * std::sin(8 * a + phase[2]) + 0.04f * std::sin(13 * a + phase[3]));
  });
  for (int i = 0; i < 7; ++i) {  // drips running outward, each ending in a drop
    float a = kTau * (i + rng.range(-0.25f, 0.25f)) / 7;
    float reach = rng.range(0.33f, 0.43f);
    V2 dir{std::cos(a), std::sin(a)};
    float drop = rng.range(0.035f, 0.055f);
    goo = blend(goo, taperedCapsule(dir * 0.15f, dir * reach, 0.07f, drop * 0.6f) | circle(dir * reach, drop), 0.04f);
  }
  Shape all = goo;
  for (int i = 0; i < 9; ++i) {  // loose droplets flung further out
    float a = rng.range(0, kTau), r = rng.range(0.36f, 0.47f);
    all = all | circle({r * std::cos(a), r * std::sin(a)}, rng.range(0.012f, 0.03f));
  }
  c.fill(all, kGooDark);
  c.fill(grow(all, -0.02f), radial({-0.05f, 0.05f}, 0.45f, kGoo, darker(kGoo, 0.15f)));
  c.fill(grow(goo, -0.09f), withAlpha(kGooLight, 0.55f));
  c.fillSoft(ellipse({-0.08f, 0.08f}, 0.07f, 0.04f), solid(hex(0xFFFFFF, 0.8f)), 0.03f);
  c.fillSoft(circle({0.02f, 0.14f}, 0.02f), solid(hex(0xFFFFFF, 0.8f)), 0.015f);
  c.fillSoft(circle({0.1f, -0.05f}, 0.025f), solid(hex(0xFFFFFF, 0.6f)), 0.015f);
}

void drawFloor(Canvas& c) {
  c.fill(box({0, 0}, {15, 15}), kFloorFrame);
  c.fill(box({0, 0}, {14.8f, 14.8f}, 0.6f), kFloorGap);
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) drawPanel(c, {col * 10.0f - 10, 10 - row * 10.0f}, padKindAt(row, col));
  for (int side = 0; side < 4; ++side) {  // marquee bulbs along the rim
    for (int i = 0; i < 15; ++i) {
      V2 at = rotated({-14 + 2 * float(i), -14.72f}, 90.0f * side);
      c.fillSoft(circle(at, 0.3f), solid(withAlpha(kBulb, 0.5f)), 0.3f);
      c.fill(circle(at, 0.14f), kBulb);
    }
  }
}

// A white square in a dark outline with a soft dark halo, so that it reads over
// pale and dark floor, goo and every slide alike.
void drawPadSquareIndicator(Canvas& c) {
  c.fillSoft(box({0, 0}, {0.42f, 0.42f}, 0.15f), solid(withAlpha(kInk, 0.5f)), 0.12f);
  c.fill(box({0, 0}, {0.4f, 0.4f}, 0.13f), kInk);
  c.fill(box({0, 0}, {0.31f, 0.31f}, 0.07f), hex(0xFFFFFF));
}

}  // namespace art
