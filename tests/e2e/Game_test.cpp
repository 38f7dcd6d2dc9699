// The real game, played: step through the slides, stomp with the square keys
// until the score changes, and the game is still alive and drawing afterwards.
#include <gtest/gtest.h>

#include "support/GameProcess.h"

namespace {

// The score lines sit in the top-left corner, above the horizon: only sky and
// text are drawn there once the feet have risen away.
constexpr int kScoreWidth = 360, kScoreHeight = 70;
constexpr double kFeetGone = 2.0;  // game seconds: planted at most 1, rising 0.5

bool differs(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return true;
  int changed = 0;
  for (size_t i = 0; i < a.size(); ++i) changed += std::abs(a[i] - b[i]) > 40;
  return changed > 20;
}

void enterGame(e2e::GameProcess& game) {
  for (int slide = 0; slide < 4; ++slide) game.key("3");
}

}  // namespace

TEST(Game, StompingChangesTheScoreAndTheGameGoesOn) {
  e2e::GameProcess game(e2e::copyOfResources("game"));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  enterGame(game);
  game.play(2.0);  // the first wave lands and starts walking
  auto before = game.grab(0, 0, kScoreWidth, kScoreHeight);

  bool scored = false;
  for (int round = 0; round < 25 && !scored && game.alive(); ++round) {
    for (const char* square : {"q", "w", "e", "a", "d", "z", "x", "c"}) game.key(square);
    game.play(kFeetGone);
    scored = differs(before, game.grab(0, 0, kScoreWidth, kScoreHeight));
  }
  EXPECT_TRUE(scored) << "no stomp changed the score";

  ASSERT_TRUE(game.alive()) << game.report();
  auto frameA = game.grab(200, 200, 400, 200);
  game.play(0.5);
  auto frameB = game.grab(200, 200, 400, 200);
  EXPECT_TRUE(differs(frameA, frameB)) << "the game stopped drawing";  // the camera always drifts
  game.key("1");  // a view turn still works
  EXPECT_TRUE(game.alive()) << game.report();
}

TEST(Game, ClosingTheWindowEndsTheGameCleanly) {
  e2e::GameProcess game(e2e::copyOfResources("close"), {e2e::kNoLeakCheckAtExit});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  enterGame(game);
  game.key("q");
  game.close();  // the game's objects are torn down after the window and its GL context
  ASSERT_EQ(game.waitForExit(20), 0) << game.report();
  for (const char* trouble : {"runtime error", "Sanitizer", "X Error"})
    EXPECT_EQ(game.errors().find(trouble), std::string::npos) << game.errors();
}
