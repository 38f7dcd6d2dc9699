// The four skylines around the arena. They share one style (inked cartoon
// towers with lit windows) and one palette, but each side has its own colour
// family and a landmark in the middle, so a player who turns the view can
// name the side they face: the wheel, the tower, the stadium, the bridge.
#include <cmath>

#include "art.h"
#include "rng.h"

namespace art {

namespace {

constexpr Rgba kSkylineInk = hex(0x2A1B4A);
constexpr Rgba kWindowLit = hex(0xFFE58A);
constexpr Rgba kWindowDark = hex(0x3B3470);
constexpr Rgba kBeacon = hex(0xFF4D6D);
constexpr Rgba kCream = hex(0xFFF6DE);
constexpr float kGround = 0.7f;  // top of the ink band along the bottom edge

struct Family {
  Rgba back[4];   // the tall pale row behind
  Rgba front[4];  // the low bright row in front
  Rgba deep;      // the landmark's frame
};

void drawWindows(Canvas& c, Box b, Rng& rng) {
  float wx = 0.34f, wy = 0.42f, gapX = 0.28f, gapY = 0.34f;
  int cols = int((b.x1 - b.x0 - 0.3f) / (wx + gapX));
  int rows = int((b.y1 - b.y0 - 1.0f) / (wy + gapY));
  if (cols < 1) return;
  float startX = (b.x0 + b.x1) / 2 - (cols * (wx + gapX) - gapX) / 2;
  for (int r = 0; r < rows; ++r) {
    for (int col = 0; col < cols; ++col) {
      V2 at{startX + col * (wx + gapX) + wx / 2, b.y0 + 1.0f + r * (wy + gapY) + wy / 2};
      c.fill(box(at, {wx / 2, wy / 2}, 0.06f), rng.unit() < 0.6 ? kWindowLit : kWindowDark);
    }
  }
}

// A building standing on y = 0 between x0 and x1, with one of a few roofs.
void drawBuilding(Canvas& c, float x0, float x1, float top, Rgba colour, Rng& rng, float ink) {
  float mid = (x0 + x1) / 2, half = (x1 - x0) / 2;
  Shape body = box({mid, top / 2 - 0.5f}, {half, top / 2 + 0.5f}, 0.15f);
  int roof = rng.below(4);
  if (roof == 1) body = body | circle({mid, top}, half * 0.7f);
  if (roof == 2) body = body | polygon({{x0 + 0.1f, top - 0.2f}, {x1 - 0.1f, top - 0.2f}, {mid, top + half * 0.9f}});
  if (roof == 3) body = body | box({mid, top + 0.5f}, {half * 0.6f, 0.6f}, 0.1f);
  c.inked(body, linear({x0, 0}, lighter(colour, 0.15f), {x1, 0}, darker(colour, 0.12f)), kSkylineInk, ink);
  if (rng.unit() < 0.45) {
    float h = roof == 1 ? half * 0.7f : roof == 2 ? half * 0.9f : roof == 3 ? 1.1f : 0;
    c.fill(capsule({mid, top + h}, {mid, top + h + 1.2f}, 0.06f), kSkylineInk);  // antenna
    c.fill(circle({mid, top + h + 1.25f}, 0.14f), kBeacon);
  }
  drawWindows(c, {x0, 0, x1, top}, rng);
}

// A row of buildings from the left edge to the right one, leaving the
// middle (|x| < gap) to the landmark. Heights are drawn from [low, high].
void drawRow(Canvas& c, Rng& rng, const Rgba (&colours)[4], float low, float high, float gap, bool front) {
  int colour = 0;
  for (float x = front ? -15.3f : -15.5f; x < 15;) {
    float width = front ? rng.range(1.8f, 3.2f) : rng.range(2.2f, 3.6f);
    float top = rng.range(low, high);
    colour = (colour + 1 + rng.below(3)) % 4;  // never the same colour twice in a row
    if (x + width < -gap || x > gap) drawBuilding(c, x, x + width, top, colours[colour], rng, front ? 0.14f : 0.12f);
    x += width + (front ? rng.range(0.1f, 0.9f) : rng.range(-0.3f, 0.4f));
  }
}

void drawGroundBand(Canvas& c) { c.fill(box({0, kGround / 2}, {15, kGround / 2}), kSkylineInk); }

// A big wheel on an A-frame, its gondolas in the family's colours.
void drawWheel(Canvas& c, const Family& f) {
  V2 hub{0, 7.3f};
  float radius = 5.3f;
  for (float side : {-1.0f, 1.0f})
    c.inked(capsule(hub, {side * 3.4f, kGround}, 0.28f), f.deep, kSkylineInk, 0.12f);
  c.inked(circle(hub, radius + 0.22f) - circle(hub, radius - 0.22f), kCream, kSkylineInk, 0.12f);
  c.fill(circle(hub, 2.2f) - circle(hub, 1.95f), f.deep);
  for (int i = 0; i < 12; ++i) {
    V2 rim = hub + rotated({0, radius}, 30.0f * i);
    c.fill(capsule(hub, rim, 0.07f), f.deep);
  }
  for (int i = 0; i < 24; ++i) c.fill(circle(hub + rotated({0, radius}, 15.0f * i + 7.5f), 0.09f), kWindowLit);
  for (int i = 0; i < 12; ++i) {
    V2 rim = hub + rotated({0, radius}, 30.0f * i);
    c.fill(capsule(rim, rim + V2{0, -0.35f}, 0.05f), kSkylineInk);
    c.inked(box(rim + V2{0, -0.7f}, {0.42f, 0.36f}, 0.16f), f.front[i % 4], kSkylineInk, 0.1f);
    c.fill(box(rim + V2{0, -0.62f}, {0.26f, 0.12f}, 0.05f), kWindowLit);
  }
  c.inked(circle(hub, 0.7f), f.front[1], kSkylineInk, 0.12f);
  c.fill(star(hub, 5, 0.5f, 0.22f), kCream);
}

// A needle tower with an observation pod and a glitter ball on top.
void drawTower(Canvas& c, const Family& f) {
  Shape shaft = polygon({{-1.1f, kGround}, {1.1f, kGround}, {0.38f, 10.4f}, {-0.38f, 10.4f}});
  c.inked(shaft, linear({-1, 0}, lighter(f.deep, 0.2f), {1, 0}, darker(f.deep, 0.15f)), kSkylineInk, 0.12f);
  for (int i = 0; i < 4; ++i) {
    float y = 2.2f + 1.8f * i;
    c.fill(shaft & box({0, y}, {2, 0.32f}), f.front[i % 4]);
  }
  for (float side : {-1.0f, 1.0f})  // splayed feet
    c.inked(polygon({{side * 0.6f, kGround}, {side * 2.2f, kGround}, {side * 0.9f, 3.2f}}), f.deep, kSkylineInk,
            0.1f);
  c.inked(ellipse({0, 8.1f}, 2.4f, 0.75f), f.front[0], kSkylineInk, 0.12f);
  c.inked(box({0, 8.9f}, {1.7f, 0.45f}, 0.3f), kCream, kSkylineInk, 0.1f);
  for (int i = -3; i <= 3; ++i) c.fill(box({0.45f * i, 8.9f}, {0.14f, 0.22f}, 0.04f), kWindowLit);
  V2 ball{0, 11.4f};
  c.inked(circle(ball, 1.05f), radial(ball + V2{-0.35f, 0.35f}, 1.4f, hex(0xF4F6FF), hex(0x9AA4C8)), kSkylineInk,
          0.12f);
  for (int row = -2; row <= 2; ++row)  // mirror facets
    for (int col = -2; col <= 2; ++col)
      if ((row + col) % 2 == 0)
        c.fill(circle(ball, 0.98f) & box(ball + V2{0.42f * col, 0.42f * row}, {0.2f, 0.2f}), hex(0xFFFFFF, 0.55f));
  c.fill(capsule(ball + V2{0, 1.0f}, {0, 13.4f}, 0.07f), kSkylineInk);
  c.fill(circle({0, 13.45f}, 0.17f), kBeacon);
  c.fill(star(ball + V2{-0.45f, 0.45f}, 4, 0.45f, 0.1f), hex(0xFFFFFF));
}

// A stadium bowl with arches, flags along its rim and floodlights on masts.
void drawStadium(Canvas& c, const Family& f) {
  for (float x : {-8.6f, -6.0f, 6.0f, 8.6f}) {  // masts first: the bowl stands in front
    c.fill(capsule({x, kGround}, {x, 11.4f}, 0.12f), kSkylineInk);
    c.fillSoft(ellipse({x, 11.9f}, 1.6f, 1.0f), solid(withAlpha(kWindowLit, 0.45f)), 0.9f);
    c.inked(box({x, 11.9f}, {0.85f, 0.5f}, 0.12f), f.deep, kSkylineInk, 0.1f);
    for (int i = -1; i <= 1; ++i)
      for (int j = 0; j < 2; ++j) c.fill(circle({x + 0.5f * i, 11.7f + 0.38f * j}, 0.15f), kWindowLit);
  }
  Shape bowl = polygon({{-7.2f, kGround}, {7.2f, kGround}, {8.2f, 6.0f}, {-8.2f, 6.0f}}) |
               ellipse({0, 6.0f}, 8.2f, 0.9f);
  c.inked(bowl, linear({0, kGround}, darker(f.deep, 0.1f), {0, 6.9f}, lighter(f.deep, 0.1f)), kSkylineInk, 0.14f);
  c.fill(ellipse({0, 6.1f}, 7.5f, 0.55f), f.back[0]);  // the stands inside, seen over the rim
  for (int i = 0; i < 40; ++i) {                      // the crowd in the stands
    float x = -7.0f + 14.0f * i / 39;
    c.fill(circle({x, 6.15f + 0.2f * std::sin(i * 2.3f)}, 0.14f), f.front[i % 4]);
  }
  c.fill(box({0, 4.3f}, {7.9f, 0.28f}), f.front[0]);
  for (int i = -6; i <= 6; ++i) {  // two tiers of arches
    c.fill(capsule({1.1f * i, 1.3f}, {1.1f * i, 2.9f}, 0.36f), kWindowDark);
    c.fill(capsule({1.1f * i, 5.0f}, {1.1f * i, 5.3f}, 0.22f), kWindowLit);
  }
  for (int i = -3; i <= 3; ++i) {  // flags on the rim
    float x = 2.3f * i;
    c.fill(capsule({x, 6.7f}, {x, 8.2f}, 0.05f), kSkylineInk);
    c.inked(polygon({{x + 0.05f, 8.2f}, {x + 0.05f, 7.55f}, {x + 0.95f, 7.88f}}), f.front[(i + 3) % 4], kSkylineInk,
            0.06f);
  }
}

// A suspension bridge over the water between two portal towers.
void drawBridge(Canvas& c, const Family& f) {
  constexpr float kDeck = 3.2f, kTop = 12.2f, kTowerX = 6.4f, kSag = 5.0f;
  c.fill(box({0, (kGround + kDeck) / 2}, {15, (kDeck - kGround) / 2}), linear({0, kDeck}, lighter(f.front[1], 0.2f),
                                                                                    {0, kGround}, f.front[1]));
  for (int i = 0; i < 14; ++i) {  // ripples
    float x = -13.7f + 2.1f * i, y = 1.2f + 0.7f * (i % 3);
    c.fill(capsule({x - 0.5f, y}, {x + 0.5f, y}, 0.07f), withAlpha(kCream, 0.7f));
  }
  // The main cable: a parabola from tower top to tower top, half-spans to the edges.
  auto cable = [&](float x) {
    float ax = std::fabs(x);
    if (ax <= kTowerX) return kSag + (kTop - kSag) * (ax / kTowerX) * (ax / kTowerX);
    float t = (ax - kTowerX) / (15 - kTowerX);
    return kTop - (kTop - kDeck - 2.0f) * (2 * t - t * t);
  };
  for (float x = -14.5f; x <= 14.6f; x += 0.8f)  // hangers
    if (std::fabs(std::fabs(x) - kTowerX) > 0.6f) c.fill(capsule({x, kDeck}, {x, cable(x)}, 0.035f), f.deep);
  for (float x = -15.0f; x < 15.0f; x += 0.25f)
    c.fill(capsule({x, cable(x)}, {x + 0.25f, cable(x + 0.25f)}, 0.1f), kSkylineInk);
  for (float side : {-1.0f, 1.0f}) {
    float x = side * kTowerX;
    Shape tower = box({x, (kGround + kTop + 0.4f) / 2}, {1.0f, (kTop + 0.4f - kGround) / 2}, 0.15f) -
                  capsule({x, kDeck + 1.2f}, {x, kDeck + 4.4f}, 0.45f) - capsule({x, 8.6f}, {x, 10.6f}, 0.42f);
    c.inked(tower, linear({x - 1, 0}, lighter(f.deep, 0.2f), {x + 1, 0}, darker(f.deep, 0.15f)), kSkylineInk, 0.12f);
    c.fill(circle({x, kTop + 0.75f}, 0.22f), kBeacon);
  }
  c.inked(box({0, kDeck + 0.25f}, {15.2f, 0.3f}), f.back[0], kSkylineInk, 0.1f);
  for (int i = 0; i < 30; ++i) c.fill(circle({-14.5f + i, kDeck + 0.25f}, 0.09f), kWindowLit);
}

struct Side {
  uint64_t seed;     // for the rows of buildings
  Family colours;
  float backGap;     // half-width of the middle left to the landmark, behind it
  float frontGap;    // and in front of it
  void (*landmark)(Canvas&, const Family&);
};

// In the arena's wall order: the first faces the player at the start.
const Side kSides[kSkylineSides] = {
    {0xC17E,
     {{hex(0xF2B3C6), hex(0xEFB0A6), hex(0xE7A9D6), hex(0xF5C0B0)},
      {hex(0xFF7B6B), hex(0xFF7FBF), hex(0xFF9A5C), hex(0xE8608F)},
      hex(0xC93D6E)},
     6.2f, 3.6f, drawWheel},
    {0x7013,
     {{hex(0xA6DCCF), hex(0xB8E3B0), hex(0x9FD3C6), hex(0xC2E6C0)},
      {hex(0x3CC8B4), hex(0x7CD65A), hex(0x2DB37E), hex(0x9BE07A)},
      hex(0x1E9C8C)},
     2.8f, 2.4f, drawTower},
    {0x57AD,
     {{hex(0xF2D7A0), hex(0xEFCB96), hex(0xF5E0AA), hex(0xE8C38C)},
      {hex(0xFFC145), hex(0xFFA63D), hex(0xF7D154), hex(0xFF8C42)},
      hex(0xE07A28)},
     9.6f, 9.6f, drawStadium},
    {0xB41D,
     {{hex(0xA99BE8), hex(0x9DB9EC), hex(0xB7A6E0), hex(0x94AEDB)},
      {hex(0x8C6FF0), hex(0x4FA9FF), hex(0x6F8CFF), hex(0xA57BF5)},
      hex(0x5B45C8)},
     0, 10.6f, drawBridge},
};

}  // namespace

void drawSkyline(Canvas& c, int side) {
  const Side& s = kSides[side];
  Rng rng(s.seed);
  drawRow(c, rng, s.colours.back, 8.0f, 11.5f, s.backGap, false);
  s.landmark(c, s.colours);
  drawRow(c, rng, s.colours.front, 3.5f, 7.0f, s.frontGap, true);
  drawGroundBand(c);
}

}  // namespace art
