#include <cstdio>

#include "core/PlayerColours.h"

#include "app/hud/Hud.h"
#include "app/hud/Text.h"

namespace hud {

namespace {

constexpr float kTitleScale = 1.0f, kWinnerScale = 0.8f, kRowScale = 0.55f, kHintScale = 0.45f;
constexpr float kRowStep = 34;      // pixels between the rows' baselines
constexpr float kRowsMargin = 14;
constexpr float kPanelAlpha = 0.8f;  // rows of coloured text over the whole scene

std::string rowText(int place, const Player& player) {
  char row[96];
  std::snprintf(row, sizeof row, "%d.  Player %d: %d squashed, best stomp %d", place, player.slot + 1,
                player.score.roundSquashed, player.score.roundBest);
  return row;
}

}  // namespace

// A panel in the middle of the window: the title, the winner, a row per
// player best first, and how to go on.
void drawResults(const StompWorld& world) {
  float width = 0, height = 0;
  pixelOverlayBegin(&width, &height);
  const Party& party = world.party();
  std::vector<Player> ranked = party.ranked();
  float cx = width / 2, y = height / 2 + kRowStep * (static_cast<float>(ranked.size()) / 2 + 1.5f);
  std::vector<TextLine> lines = {{"Round over!", cx, y, kTitleScale, Align::Centre}};
  int winner = party.winner();
  std::string winnerText = winner < 0 ? "A draw!" : "Player " + std::to_string(winner + 1) + " wins!";
  lines.push_back({winnerText, cx, y -= kRowStep * 1.3f, kWinnerScale, Align::Centre});
  for (size_t i = 0; i < ranked.size(); ++i)
    lines.push_back({rowText(static_cast<int>(i) + 1, ranked[i]), cx, y -= kRowStep, kRowScale, Align::Centre});
  lines.push_back({"Start or 3: next round", cx, y -= kRowStep * 1.3f, kHintScale, Align::Centre});

  drawPanel(boxAround(lines.data(), static_cast<int>(lines.size()), kRowsMargin), kPanelAlpha);
  std::vector<assets::Rgb8> colours = {kWhite};
  colours.push_back(winner < 0 ? kWhite : players::kColours[winner]);
  for (const Player& player : ranked) colours.push_back(colourOf(player));
  colours.push_back(kWhite);
  for (size_t i = 0; i < lines.size(); ++i) {
    setColour(colours[i]);
    print(lines[i]);
  }
  overlayEnd();
}

}  // namespace hud
