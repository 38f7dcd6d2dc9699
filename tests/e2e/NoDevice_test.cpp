// The real game on a machine with no sound device and no dance pad: the audio
// driver named in SDL_AUDIODRIVER does not exist, so the device fails to open,
// and no pad is plugged in. The game still shows its slides, reaches the game
// screen and takes stomps, silently.
#include <gtest/gtest.h>

#include "support/GameProcess.h"

TEST(NoDevice, WithoutSoundDeviceOrPadTheGamePlays) {
  e2e::GameProcess game(e2e::copyOfResources("nodevice"), {"SDL_AUDIODRIVER=no_such_driver"});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  EXPECT_FALSE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 3, 0)) << "the title slide should cover the sky";
  game.stepThroughSlides();
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 3, 20)) << "not on the game screen";
  for (const char* key : {"q", "w", "e", "a", "d", "z", "x", "c", "1", "3"}) game.key(key);
  EXPECT_TRUE(game.alive()) << game.report();
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 3, 5)) << "the game stopped drawing its sky";
}
