// A party on one keyboard, in the real game: the letters are player 1, the
// navigation keys join as player 2 with Insert on a slide, and both stomp. Under
// --long, a round of 30 seconds also ends on the results, which hold still over
// the scene, and Start begins the next round (the quick check has that on a
// fake clock, in the app's party flow test).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/GameProcess.h"

namespace {

// The score blocks: player 1's top left, player 2's top right.
constexpr e2e::Region kPlayer1Block{0, 0, 300, 60};
constexpr e2e::Region kPlayer2Block{500, 0, 300, 60};
// The middle of the window, where the results show over the scene.
constexpr e2e::Region kMiddle{250, 220, 300, 160};

// The navigation key at each letter key's place.
const std::map<std::string, std::string> kNavigationKeys = {
    {"q", "Home"}, {"w", "Up"},   {"e", "Prior"}, {"a", "Left"},
    {"d", "Right"}, {"z", "End"}, {"x", "Down"},  {"c", "Next"},
};

// The party's game, player 2 joined with Insert on a slide; both have stomped.
void startPartyAndStomp(e2e::GameProcess& game) {
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.stillKey("Insert");
  game.enterGame();
  EXPECT_TRUE(game.stompUntilChanged(kPlayer1Block)) << "player 1's letters stomped nothing";
  EXPECT_TRUE(game.stompUntilChanged(kPlayer2Block, [&](const char* square) { game.key(kNavigationKeys.at(square)); }))
      << "player 2's navigation keys stomped nothing";
}

TEST(Party, TwoPlayersOnOneKeyboardStompEachForTheirOwnScore) {
  e2e::GameProcess game(e2e::copyOfResources("party"));
  startPartyAndStomp(game);
  EXPECT_TRUE(game.alive()) << game.report();
}

TEST(PartyLong, ARoundEndsOnTheResultsAndStartBeginsTheNext) {
  e2e::GameProcess game(e2e::copyOfResources("party-round"), {}, {"--round", "30"});
  startPartyAndStomp(game);
  auto holdsStill = [&] {
    auto before = game.grab(kMiddle);
    game.play(0.3);
    return !e2e::differs(before, game.grab(kMiddle));
  };
  ASSERT_TRUE(e2e::waitUntil(holdsStill, 40)) << "the round never ended on the results; " << game.report();
  game.key("3");
  auto before = game.grab(kMiddle);
  game.play(0.5);
  EXPECT_TRUE(e2e::differs(before, game.grab(kMiddle))) << "3 did not begin the next round";
  EXPECT_TRUE(game.alive()) << game.report();
}

}  // namespace
