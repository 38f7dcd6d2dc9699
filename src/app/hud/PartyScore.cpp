#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/hud/Hud.h"
#include "app/hud/Text.h"
#include "core/PlayerColours.h"
#include "render/Render.h"

namespace hud {

namespace {

constexpr float kMargin = 10;          // pixels from the window's edges
constexpr float kFirstBaseline = 38;   // pixels below the top edge, as the solo score's first line
constexpr float kLineStep = 22;        // pixels between baselines
constexpr float kNameScale = 0.55f, kLineScale = 0.45f;
constexpr float kClockScale = 0.8f;
constexpr float kLineMargin = 3;       // pixels round a line of text
constexpr assets::Rgb8 kAwayGrey{150, 150, 150};
constexpr float kBannerScale = 1.2f;
constexpr float kArrowLength = 70, kArrowHalfWidth = 16;  // pixels

std::string text(const char* format, int value) {
  char line[64];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

}  // namespace

assets::Rgb8 colourOf(const Player& player) { return player.away ? kAwayGrey : players::kColours[player.slot]; }

// Player 1 top left, where the solo score stands; then top right, middle
// left, middle right.
std::vector<TextLine> scoreBlock(const Player& player, WindowSize window) {
  bool right = player.slot % 2 == 1;
  float x = right ? window.width - kMargin : kMargin;
  float top = player.slot < 2 ? window.height - kFirstBaseline : window.height / 2.0f + kLineStep;
  Align align = right ? Align::Right : Align::Left;
  const PlayerScore& s = player.score;
  std::string name = "Player " + std::to_string(player.slot + 1) + text(": %d squashed", s.roundSquashed);
  std::string stomps = text("best stomp %d", s.roundBest) + text(", last %d", s.lastStomp);
  return {{name, x, top, kNameScale, align}, {stomps, x, top - kLineStep, kLineScale, align}};
}

// The round's time left and the best ever, one under the other at the top centre.
std::vector<TextLine> roundLines(const StompWorld& world, WindowSize window) {
  int seconds = static_cast<int>(std::ceil(world.roundSecondsLeft()));
  char clock[16];
  std::snprintf(clock, sizeof clock, "%d:%02d", seconds / 60, seconds % 60);
  std::string best = text("Best Ever: %d", world.bestEver());
  if (world.bestEverBy() >= 0) best += " (player " + std::to_string(world.bestEverBy() + 1) + ")";
  float centre = window.width / 2.0f;
  return {{clock, centre, window.height - kFirstBaseline, kClockScale, Align::Centre},
          {best, centre, window.height - kFirstBaseline - kLineStep - 4, kLineScale, Align::Centre}};
}

namespace {

// Each line on a panel of its own, as tight as the letters: the panels are most
// of the HUD's fill, so they cover no more than the text needs.
void drawLines(const std::vector<TextLine>& lines, assets::Rgb8 colour) {
  for (const TextLine& line : lines) drawPanel(boxOf(line).grown(kLineMargin));
  setColour(colour);
  for (const TextLine& line : lines) print(line);
}

// "Turning!" over an arrow the way the camera is about to swing.
void drawTurnWarning(WindowSize window) {
  float cx = window.width / 2.0f, cy = window.height * 0.62f;
  TextLine banner{"Turning!", cx, cy, kBannerScale, Align::Centre};
  Rect box = boxOf(banner).grown(kLineMargin);
  box.minY -= kArrowHalfWidth * 2 + kLineMargin;
  drawPanel(box);
  setColour(kWhite);
  print(banner);
  float y = box.minY + kArrowHalfWidth + kLineMargin;
  fillRect(cx - kArrowLength / 2, y - kArrowHalfWidth / 3, cx + kArrowLength / 4, y + kArrowHalfWidth / 3);
  fillTriangle(cx + kArrowLength / 4, y - kArrowHalfWidth, cx + kArrowLength / 2, y, cx + kArrowLength / 4,
               y + kArrowHalfWidth);
}

}  // namespace

void drawPartyScore(const StompWorld& world) {
  float width = 0, height = 0;
  pixelOverlayBegin(&width, &height);
  WindowSize window{static_cast<int>(width), static_cast<int>(height)};
  for (const Player& player : world.party().players()) drawLines(scoreBlock(player, window), colourOf(player));
  drawLines(roundLines(world, window), kWhite);
  if (world.turnDueIn() > 0) drawTurnWarning(window);
  overlayEnd();
}

}  // namespace hud
