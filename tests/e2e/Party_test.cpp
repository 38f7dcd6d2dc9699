// A party on one keyboard, in the real game: the letters are player 1, the
// navigation keys join as player 2 with Insert on a slide, both stomp, a round
// of 30 seconds ends on the results, which hold still over the scene, and
// Start begins the next round.
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

TEST(Party, TwoPlayersOnOneKeyboardPlayARoundToTheResultsAndStartTheNext) {
  e2e::GameProcess game(e2e::copyOfResources("party"), {}, {"--round", "30"});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.key("Insert");
  game.enterGame();
  EXPECT_TRUE(game.stompUntilChanged(kPlayer1Block)) << "player 1's letters stomped nothing";
  EXPECT_TRUE(game.stompUntilChanged(kPlayer2Block, [&](const char* square) { game.key(kNavigationKeys.at(square)); }))
      << "player 2's navigation keys stomped nothing";

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
