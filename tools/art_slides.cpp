// Title, about and how-to-play slides, built from the game's own drawings
// and its font.
#include <cmath>
#include <stdexcept>
#include <string>

#include "art.h"
#include "core/Assets.h"
#include "slides.h"

namespace art {

namespace {

constexpr float kW = kSlideWidth, kH = kSlideHeight;

constexpr Rgba kWhite = hex(0xFFFFFF);
constexpr Rgba kCard = hex(0xFFFBF0, 0.92f);
constexpr Rgba kStage = hex(0x1E1546);
constexpr Rgba kBulb = hex(0xFFF1A8);
constexpr Rgba kButtonBar = hex(0xA58CFF);  // Start and Select

// Rays from a point in two tones, their edges smoothed to about a pixel.
void sunburst(Canvas& c, V2 centre, Rgba a, Rgba b, int rays) {
  c.fill(box({kW / 2, kH / 2}, {kW / 2, kH / 2}), [=](V2 p) {
    V2 d = p - centre;
    float r = length(d);
    float s = std::sin(std::atan2(d.y, d.x) * rays) * r / rays;
    float t = std::clamp(0.5f + s, 0.0f, 1.0f);
    Rgba ray = mix(a, b, t);
    return mix(ray, darker(ray, 0.25f), std::clamp(r / 900.0f, 0.0f, 1.0f));
  });
}

void card(Canvas& c, Box b) {
  V2 centre{(b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2}, half{(b.x1 - b.x0) / 2, (b.y1 - b.y0) / 2};
  c.fill(box(centre + V2{8, -8}, half, 28), hex(0x000000, 0.25f));
  c.inked(box(centre, half, 28), kCard, kInk, 5);
}

TextStyle titleStyle(float size, Rgba top, Rgba bottom, float baseline) {
  TextStyle s;
  s.size = size;
  s.fill = linear({0, baseline + size * 0.7f}, top, {0, baseline}, bottom);
  s.outline = kInk;
  s.outlineWidth = size * 0.07f;
  s.shadow = hex(0x000000, 0.35f);
  s.shadowOffset = {size * 0.04f, -size * 0.05f};
  return s;
}

TextStyle bodyStyle(float size) {
  TextStyle s;
  s.size = size;
  s.fill = solid(kInk);
  return s;
}

TextStyle promptStyle(float size) {
  TextStyle s;
  s.size = size;
  s.fill = solid(kWhite);
  s.outline = kInk;
  s.outlineWidth = 4;
  return s;
}

// Text keeps out of the pad indicator's corner: a layout that puts a line
// there stops the generator instead of hiding the line under the indicator.
void say(Canvas& c, const Font& font, const std::string& text, V2 at, const TextStyle& style, bool centred = true) {
  float width = font.width(text, style.size), reach = style.outlineWidth + std::fabs(style.shadowOffset.x);
  float left = centred ? at.x - width / 2 : at.x;
  Box ink{left - reach, at.y - 0.35f * style.size - reach, left + width + reach, at.y + style.size};
  const Box& corner = kIndicatorCorner;
  if (ink.x1 > corner.x0 && ink.x0 < corner.x1 && ink.y1 > corner.y0 && ink.y0 < corner.y1)
    throw std::runtime_error("text in the pad indicator's corner: " + text);
  font.draw(c, text, {left, at.y}, style);
}

void victimAt(Canvas& c, V2 at, float scale, float turn, float swing) {
  c.push();
  c.translate(at);
  c.scale(scale, scale);
  c.rotate(turn);
  drawVictim(c, swing);
  c.pop();
}

void footAt(Canvas& c, V2 at, float scale, int which, bool mirrored) {
  c.push();
  c.translate(at);
  c.scale(mirrored ? -scale : scale, scale);
  drawFoot(c, which);
  c.pop();
}

// A splat lying on the ground, foreshortened.
void splatAt(Canvas& c, V2 at, float size, float turn) {
  c.push();
  c.translate(at);
  c.scale(size, size * 0.5f);
  c.rotate(turn);
  drawSplatter(c);
  c.pop();
}

void skylineAt(Canvas& c, V2 at, float scale, int side) {
  c.push();
  c.translate(at);
  c.scale(scale, scale);
  drawSkyline(c, side);
  c.pop();
}

// A strip of dance floor along the bottom of a slide.
void stage(Canvas& c, float top) {
  c.fill(box({kW / 2, top / 2}, {kW / 2 + 10, top / 2}), kStage);
  const PadKind kinds[] = {PadKind::Corner, PadKind::Edge, PadKind::Centre, PadKind::Edge, PadKind::Corner};
  for (int i = 0; i < 5; ++i) {
    V2 centre{kW * (i + 0.5f) / 5, top / 2 - 6};
    Shape panel = box(centre, {kW / 10 - 14, top / 2 - 22}, 16);
    c.fill(grow(panel, 4), withAlpha(kWhite, 0.85f));
    Rgba colour = padColour(kinds[i]);
    c.fill(panel, radial(centre, 160, lighter(colour, 0.25f), colour));
  }
  for (int i = 0; i < 26; ++i) {
    V2 at{20 + i * 38.8f, top - 8};
    c.fillSoft(circle(at, 9), solid(withAlpha(kBulb, 0.5f)), 8);
    c.fill(circle(at, 4.5f), kBulb);
  }
}

// One pad button of the how-to-play diagram, with its key printed on it.
void padKey(Canvas& c, const Font& font, V2 centre, V2 half, Rgba colour, const std::string& key) {
  Shape square = box(centre, half, 18);
  c.fill(box(centre + V2{6, -6}, half, 18), hex(0x000000, 0.25f));
  c.inked(square, radial(centre, 90, lighter(colour, 0.35f), colour), kInk, 5);
  if (!key.empty())
    say(c, font, key, centre + V2{0, -half.y * 0.35f}, titleStyle(half.y * 1.2f, kWhite, hex(0xFFF4D6), centre.y));
}

void drawPadDiagram(Canvas& c, const Font& font, V2 topLeft, float cell) {
  const char* keys[9] = {"q", "w", "e", "a", "", "d", "z", "x", "c"};
  for (int i = 0; i < 9; ++i) {
    int row = i / 3, col = i % 3;
    V2 centre = topLeft + V2{cell * (col + 0.5f), -cell * (row + 0.5f)};
    padKey(c, font, centre, {cell * 0.43f, cell * 0.43f}, padColour(padKindAt(row, col)), keys[i]);
  }
  V2 centre = topLeft + V2{cell * 1.5f, -cell * 1.5f};
  Rgba gold = padColour(PadKind::Centre);
  c.inked(star(centre, 8, cell * 0.28f, cell * 0.15f), lighter(gold, 0.6f), darker(gold, 0.4f), 3);
  V2 barHalf{cell * 0.43f, cell * 0.22f};
  padKey(c, font, topLeft + V2{cell * 0.5f, cell * 0.38f}, barHalf, kButtonBar, "1");
  padKey(c, font, topLeft + V2{cell * 2.5f, cell * 0.38f}, barHalf, kButtonBar, "3");
  TextStyle label = promptStyle(30);
  say(c, font, "Select", topLeft + V2{cell * 0.5f, cell * 0.72f}, label);
  say(c, font, "Start", topLeft + V2{cell * 2.5f, cell * 0.72f}, label);
}

void drawLines(Canvas& c, const Font& font, V2 at, float size, float spacing,
               std::initializer_list<const char*> lines) {
  TextStyle s = bodyStyle(size);
  for (const char* line : lines) {
    say(c, font, line, at, s, false);
    at.y -= spacing;
  }
}

void title(Canvas& c, const Font& font) {
  sunburst(c, {kW / 2, kH * 0.62f}, hex(0xFFB238), hex(0xFFCF5C), 14);
  for (int i = 0; i < 3; ++i) skylineAt(c, {240 + 480.0f * i, 118}, 16, i);
  stage(c, 130);
  splatAt(c, {230, 70}, 130, 30);
  splatAt(c, {610, 66}, 210, 0);
  footAt(c, {590, 62}, 20, 1, false);
  victimAt(c, {90, 40}, 84, 0, 0.6f);
  victimAt(c, {400, 40}, 80, 0, 0.9f);
  victimAt(c, {240, 180}, 70, 35, -0.8f);
  victimAt(c, {880, 300}, 64, -40, 1.0f);
  float baseline = 520;
  say(c, font, "Stompalong", {kW / 2, baseline}, titleStyle(190, hex(0xFFF36B), hex(0xFF6A3D), baseline));
  say(c, font, "the dance mat stomping party", {kW / 2, 440}, promptStyle(50));
  say(c, font, "Press Start (3) or click", {kW / 2, 355}, promptStyle(40));
}

void about(Canvas& c, const Font& font) {
  sunburst(c, {kW / 2, kH / 2}, hex(0x3CC8D8), hex(0x5ED8E4), 16);
  say(c, font, "About", {kW / 2, 660}, titleStyle(110, hex(0xFFF36B), hex(0xFF6A3D), 660));
  card(c, {70, 268, 954, 622});
  drawLines(c, font, {110, 574}, 33, 41,
            {"Little party people have crowded onto the dance",
             "floor. Your dance mat drives a giant foot: step on", "a square and down it comes on whoever is",
             "dancing there. Squash as many as you can!", "", "Every picture, sound and tune was made for this",
             "game by its own tools. The lettering is Leckerli", "One by Gesine Todt."});
  splatAt(c, {300, 150}, 120, 80);
  victimAt(c, {150, 110}, 80, -10, 0.8f);
  victimAt(c, {560, 200}, 60, 30, -0.9f);
  say(c, font, "Press Start (3) or click", {kW / 2 - 60, 50}, promptStyle(40));
}

void howToPad(Canvas& c, const Font& font) {
  sunburst(c, {kW * 0.3f, kH * 0.45f}, hex(0x8C6FF0), hex(0xA58CFF), 18);
  say(c, font, "How to Play", {kW / 2, 686}, titleStyle(100, hex(0xFFF36B), hex(0xFF6A3D), 686));
  drawPadDiagram(c, font, {60, 556}, 112);
  card(c, {455, 260, 1000, 630});
  drawLines(c, font, {484, 592}, 30, 39,
            {"Step on a square of the mat,", "or press its key, to stomp.", "The foot comes down on the",
             "little one nearest the middle", "of that square, if they are", "standing on it.", "",
             "The mat matches the screen:", "Start and Select turn the view."});
  card(c, {40, 96, 752, 206});
  drawLines(c, font, {72, 162}, 30, 40,
            {"Hold Select for 2 seconds (or press F2)", "to set up your dance pad"});
  say(c, font, "Press Start (3) or click", {kW / 2 - 60, 44}, promptStyle(40));
}

void howToStomp(Canvas& c, const Font& font) {
  sunburst(c, {kW * 0.3f, kH * 0.4f}, hex(0xFF6FA8), hex(0xFF8CBC), 16);
  card(c, {440, 262, 985, 610});
  drawLines(c, font, {470, 556}, 33, 46,
            {"Everyone within reach of the", "foot is squashed flat, and the", "ones close by fly into the air.",
             "Three or more in one stomp:", "boom! Beat your best stomp and", "the crowd cheers. Clear the",
             "floor and a new wave rushes in."});
  splatAt(c, {255, 150}, 300, 10);
  splatAt(c, {150, 105}, 110, 120);
  splatAt(c, {360, 240}, 100, 250);
  footAt(c, {250, 140}, 16, 3, false);
  victimAt(c, {90, 400}, 70, 40, 1.0f);
  victimAt(c, {345, 560}, 64, -50, -1.0f);
  say(c, font, "Stomp!", {kW / 2 + 200, 660}, titleStyle(120, hex(0xFFF36B), hex(0xFF6A3D), 660));
  say(c, font, "Press Start (3) to play!", {kW / 2 - 40, 50}, promptStyle(44));
}

}  // namespace

const std::vector<Slide>& slides() {
  static const std::vector<Slide> all = {
      {assets::kSlides[0], title},
      {assets::kSlides[1], about},
      {assets::kSlides[2], howToPad},
      {assets::kSlides[3], howToStomp},
  };
  return all;
}

}  // namespace art
