// The real game, played: step through the slides, stomp with the square keys
// until the score changes, and the game is still alive and drawing afterwards.
#include <gtest/gtest.h>

#include "support/GameProcess.h"

namespace {

// The score lines sit in the top-left corner, above the horizon: only sky and
// text are drawn there once the feet have risen away.
constexpr e2e::Region kScore{0, 0, 360, 70};
// The sky and the skyline. In a still view only the camera's slow sway and the
// first wave's victims, flung up as it starts, change them: 3 to 4 % of the
// values 0.3 s apart. A view swinging a quarter turn changes 22 %.
constexpr int kSkylineBottom = 200;
constexpr double kStillView = 0.1;

}  // namespace

TEST(Game, StompingChangesTheScoreAndTheGameGoesOn) {
  e2e::GameProcess game(e2e::copyOfResources("game"));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.enterGame();
  EXPECT_TRUE(game.stompUntilChanged(kScore)) << "no stomp changed the score";

  ASSERT_TRUE(game.alive()) << game.report();
  auto frameA = game.grab(200, 200, 400, 200);
  game.play(0.5);
  auto frameB = game.grab(200, 200, 400, 200);
  EXPECT_TRUE(e2e::differs(frameA, frameB)) << "the game stopped drawing";  // the camera always drifts
  game.key("1");  // a view turn still works
  EXPECT_TRUE(game.alive()) << game.report();
}

TEST(Game, ClosingTheWindowEndsTheGameCleanly) {
  e2e::GameProcess game(e2e::copyOfResources("close"), {e2e::kNoLeakCheckAtExit});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.stepThroughSlides();
  game.key("q");
  game.close();  // the game's objects are torn down after the window and its GL context
  ASSERT_EQ(game.waitForExit(20), 0) << game.report();
  for (const char* trouble : {"runtime error", "Sanitizer", "X Error"})
    EXPECT_EQ(game.errors().find(trouble), std::string::npos) << game.errors();
}

// The Start press that ends the slides belongs to the slides: the game opens
// facing where it starts, not swinging a quarter turn.
TEST(Game, TheStartPressThatOpensTheGameLeavesTheViewStill) {
  e2e::GameProcess game(e2e::copyOfResources("view-still"));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.stepThroughSlides();
  ASSERT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 20)) << game.report();
  auto first = game.grab(0, 0, 800, kSkylineBottom);
  game.play(0.3);
  auto later = game.grab(0, 0, 800, kSkylineBottom);
  EXPECT_LT(e2e::changedShare(first, later), kStillView) << "the view moved";
}

// Presses too quick for a frame to fall between down and up, and letters that
// arrive in capitals, each still stomp.
TEST(Game, QuickTapsAndCapsLockedKeysStomp) {
  e2e::GameProcess game(e2e::copyOfResources("taps"));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.enterGame();
  EXPECT_TRUE(game.stompUntilChanged(kScore, [&](const char* square) { game.tap(square); })) << "no tap stomped";
  EXPECT_TRUE(game.stompUntilChanged(kScore, [&](const char* square) { game.key(square, e2e::kCapsLock); }))
      << "no stomp with Caps Lock on";
  EXPECT_TRUE(game.alive()) << game.report();
}
