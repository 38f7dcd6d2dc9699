// The HUD: what is drawn over the screens in window pixels, from what the
// rules and the input expose: the score, the pad indicators, the party's
// strip, clock and results, and the pad setup's own screen.
#pragma once

#include <string>
#include <vector>

#include "app/hud/Text.h"
#include "game/StompWorld.h"
#include "input/FrameInput.h"
#include "input/PadSetup.h"
#include "render/Render.h"

namespace hud {

// The indicator's square picture; once, after the window exists.
void load();

// Alone: three tilted lines in the top-left corner, the run's best stomp, the
// last one and the best of all runs. Together: a block per player in their
// colour, the round's clock and the best ever at the top centre, and the
// warning of a coming turn.
void drawScore(const StompWorld& world);

// The 3 by 3 grid with Select and Start bars above its outer columns; held
// buttons are drawn larger. Alone: player 1's in white in the bottom-right
// corner. Together: every player's in their colour along the bottom edge,
// player 1's still in the corner.
void drawIndicators(const Party& party, const PadFrame& pads);
// Player 1's alone, as on the game's every screen before anyone joins.
void drawIndicator(const PadFrame& pads);

// On the slides, once someone has joined: every player's name in their colour.
void drawJoinStrip(const Party& party);

// The end of a party round: the players ranked, the winner named in their colour.
void drawResults(const StompWorld& world);

// The pad setup: the indicator drawn large with the square the setup asks for
// lit in gold, and what to do, in words.
void drawPadSetup(const PadSetup& setup);

// The pad setup screen's lines of text, top to bottom; empty lines are not drawn.
struct PadSetupText {
  std::string title;    // which device
  std::string request;  // "Step on the lit square: Up"
  std::string status;   // the step count and time left, or that an input is taken
  bool taken = false;   // status tells that the input is already taken
  std::string hint;     // how to leave
};
PadSetupText padSetupText(const PadSetup& setup);

// Where the party's HUD lays things out, for the drawing and for the tests
// that hold it readable: a player's block, the round's lines, an indicator.
assets::Rgb8 colourOf(const Player& player);  // greyed while away
std::vector<TextLine> scoreBlock(const Player& player, WindowSize window);
std::vector<TextLine> roundLines(const StompWorld& world, WindowSize window);
Rect indicatorBox(int slot, WindowSize window);
void drawPartyScore(const StompWorld& world);

}  // namespace hud
