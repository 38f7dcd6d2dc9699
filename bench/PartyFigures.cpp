#include "PartyFigures.h"

#include <GL/freeglut.h>

#include <array>
#include <memory>
#include <vector>

#include "FrameFigures.h"
#include "GameDriver.h"
#include "Measure.h"
#include "game/StompWorld.h"
#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "objects/Arena.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "support/VirtualPad.h"

namespace bench {

namespace {

constexpr int kPlayerOffset = 10;  // frames: the four take turns
constexpr int kUpdateRounds = 200;
// The eight outer squares (buttons 0 1 2 3 5 6 7 8) on each kind of source.
constexpr int kNavigationKeys[8] = {GLUT_KEY_HOME, GLUT_KEY_UP,  GLUT_KEY_PAGE_UP, GLUT_KEY_LEFT,
                                    GLUT_KEY_RIGHT, GLUT_KEY_END, GLUT_KEY_DOWN,   GLUT_KEY_PAGE_DOWN};
constexpr int kPadButtons[8] = {6, 2, 7, 0, 3, 4, 1, 5};  // the default table's

// Player 1 on the letters, player 2 on the navigation keys, players 3 and 4
// on two pads; each presses a square for one of its kind's frames, in turn.
class PartyScript {
 public:
  PartyScript(int players, std::array<testpad::VirtualPad*, 2> pads) : players_(players), pads_(pads) {}

  void beforeFrame() {
    for (int p = 0; p < players_; ++p)
      if (held_[p] >= 0) press(p, held_[p], false);
    ++frame_;
    for (int p = 0; p < players_; ++p) {
      held_[p] = (frame_ + p * kPlayerOffset) % kFigureStompEvery == 0 ? (frame_ / kFigureStompEvery + p) % 8 : -1;
      if (held_[p] >= 0) press(p, held_[p], true);
    }
  }

 private:
  void press(int player, int square, bool down) {
    KeyboardState& keys = KeyboardState::instance();
    if (player == 0)
      down ? keys.onKeyDown(kSquareKeys[square], 0, 0) : keys.onKeyUp(kSquareKeys[square], 0, 0);
    else if (player == 1)
      down ? keys.onSpecialDown(kNavigationKeys[square], 0, 0) : keys.onSpecialUp(kNavigationKeys[square], 0, 0);
    else
      pads_[player - 2]->set(kPadButtons[square], down);
  }

  int players_;
  std::array<testpad::VirtualPad*, 2> pads_;
  std::array<int, 4> held_ = {-1, -1, -1, -1};  // square each player holds down, -1 none
  int frame_ = 0;
};

// Pads 1 and 2 join through their Start, the navigation keys through theirs.
void joinThree(StompWorld& world, const PadFrame& seen) {
  PadFrame join = seen;
  for (int source : {1, 2, PadFrame::kNavigationKeys}) join.sources[source].pressed = ButtonStates::bit(kButtonStart);
  world.joinPlayers(join);
}

double partyUpdateMicroseconds() {
  VictimCrowd crowd;
  FootManager feet;
  StompWorld world(crowd, feet);
  PadFrame pads;
  for (int pad = 1; pad < 3; ++pad) pads.devices[pad].id = 100 + pad;
  joinThree(world, pads);
  std::vector<double> samples;
  for (int round = 0; round < kUpdateRounds; ++round) {
    for (int i = static_cast<int>(crowd.live().size()); i < 60; ++i) {
      auto victim = std::make_unique<Victim>();
      victim->load();
      victim->setPosition(arena.randomWalkPoint());
      crowd.add(std::move(victim));
    }
    PadFrame frame = pads;
    for (int source : {1, 2, PadFrame::kKeyboard, PadFrame::kNavigationKeys})
      frame.sources[source].pressed = ButtonStates::bit(kSquareButtons[(round + source) % 8]);
    double start = wallMs();
    world.update(kFrameSeconds, frame);
    samples.push_back(millisecondsSince(start) * 1000);
    crowd.update(kFrameSeconds);
  }
  return median(samples);
}

}  // namespace

void measureParty() {
  testpad::VirtualPad first, second({.product = 0x0002}), third({.product = 0x0003});  // pads 0, 1 and 2
  gameFrame();  // opens them
  StompWorld& world = StompWorld::instance();
  Party solo = world.party();
  joinThree(world, PadInput::instance().frame().pads);
  world.setRoundSeconds(StompWorld::kMaxRoundSeconds);
  world.startRound();
  Party party = world.party();

  PartyScript soloScript(1, {}), partyScript(4, {&second, &third});
  auto frameOf = [&](Party& players, PartyScript& script) {
    return [&] {
      world.party() = players;
      script.beforeFrame();
      pumpEvents();
      gameFrame();
      players = world.party();
    };
  };
  std::vector<FrameKind> kinds = {{"solo_frame", frameOf(solo, soloScript)},
                                  {"party_frame", frameOf(party, partyScript)}};
  timeInterleaved(kinds);
  reportRatio("party_frame_ratio_cpu", "party_frame_ratio_wall", kinds[1], kinds[0]);
  world.party() = solo;
  report("party_update_us", partyUpdateMicroseconds(), "us");
}

}  // namespace bench
