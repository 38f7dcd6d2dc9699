// The window keys on the real game: F11 and Alt+Enter cover the screen and
// give the window back; Escape leaves full screen, and in a window ends the
// game as closing it does.
#include <gtest/gtest.h>

#include "support/GameProcess.h"

namespace {

constexpr std::array<int, 2> kWindowSize = {800, 600};

}  // namespace

TEST(Window, FullScreenKeysCoverTheScreenAndEscapeQuits) {
  // Ends through exit; starts in a window whatever an earlier run left in the settings.
  e2e::GameProcess game(e2e::copyOfResources("window"), {e2e::kNoLeakCheckAtExit}, {"--windowed"});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  const std::array<int, 2> windowed = game.position();

  game.key("F11");
  EXPECT_TRUE(e2e::waitUntil([&] { return game.coversTheScreen(); }, 10)) << "F11 did not cover the screen";
  game.key("F11");
  EXPECT_TRUE(e2e::waitUntil([&] { return game.size() == kWindowSize && game.position() == windowed; }, 10))
      << "F11 again did not give the window back";

  game.key("Return", e2e::kAlt);
  EXPECT_TRUE(e2e::waitUntil([&] { return game.coversTheScreen(); }, 10)) << "Alt+Enter did not cover the screen";
  game.key("Escape");
  EXPECT_TRUE(e2e::waitUntil([&] { return game.size() == kWindowSize; }, 10)) << "Escape did not leave full screen";
  EXPECT_TRUE(game.alive()) << "Escape in full screen only leaves it";

  game.key("Return");  // Enter alone is no window key
  // The window keys above take effect within the frames of their own press:
  // a wrong switch would show once the slide has stood still a moment.
  game.play(0.3);
  EXPECT_EQ(game.size(), kWindowSize);
  game.tap("Escape");
  EXPECT_EQ(game.waitForExit(20), 0) << game.report();
}
