// The real game on a machine with no sound device and no dance pad: the audio
// driver named in SDL_AUDIODRIVER does not exist, so the device fails to open,
// and no pad is plugged in. The game still shows its slides, reaches the game
// screen and takes stomps, silently.
#include <gtest/gtest.h>

#include "support/GameProcess.h"

namespace {

constexpr std::array<uint8_t, 3> kSky = {151, 136, 91};  // the game's clear colour
constexpr int kSkyX = 400, kSkyY = 8;

}  // namespace

TEST(NoDevice, WithoutSoundDeviceOrPadTheGamePlays) {
  e2e::GameProcess game(e2e::makeWorkDir("nodevice", true), {"SDL_AUDIODRIVER=no_such_driver"});
  ASSERT_NE(game.waitForWindow(), 0u) << game.errors();
  e2e::pause(1.0);
  EXPECT_FALSE(game.waitForPixel(kSkyX, kSkyY, kSky, 3, 0.5)) << "the title slide should cover the sky";
  for (int slide = 0; slide < 4; ++slide) game.key("3");
  EXPECT_TRUE(game.waitForPixel(kSkyX, kSkyY, kSky, 3, 20)) << "not on the game screen";
  for (const char* key : {"q", "w", "e", "a", "d", "z", "x", "c", "1", "3"}) game.key(key);
  e2e::pause(0.5);
  EXPECT_TRUE(game.alive()) << game.errors();
  EXPECT_TRUE(game.waitForPixel(kSkyX, kSkyY, kSky, 3, 5)) << "the game stopped drawing its sky";
}
