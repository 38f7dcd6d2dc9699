// The real game in the test's X server: the window, the slides stepped with
// real clicks and keys, and the game screen after the last slide.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/GameProcess.h"
#include "support/GlTest.h"

namespace {

using Rgb = std::array<uint8_t, 3>;

const Rgb kSlideColours[] = {{220, 30, 30}, {30, 200, 40}, {40, 60, 230}, {230, 210, 20}};
const char* const kSlideFiles[] = {"scrn_FrameworkTitle.png", "scrn_FrameworkAbout.png", "scrn_Oxar1.png",
                                   "scrn_Oxar2.png"};
const Rgb kClearColour = {151, 136, 91};  // the game screen's background

// A work dir whose four slides are solid colours, so each step is visible in one pixel.
std::string slidesOnlyWorkDir(const std::string& tag) {
  std::string dir = e2e::makeWorkDir(tag, false);
  std::vector<uint8_t> rgba(64 * 48 * 4);
  for (int s = 0; s < 4; ++s) {
    for (size_t i = 0; i < rgba.size(); i += 4) {
      rgba[i] = kSlideColours[s][0];
      rgba[i + 1] = kSlideColours[s][1];
      rgba[i + 2] = kSlideColours[s][2];
      rgba[i + 3] = 255;
    }
    testgl::writePng(dir + "/res/images/" + kSlideFiles[s], 64, 48, rgba.data());
  }
  return dir;
}

// The middle of the window, away from the pad indicator and the score.
constexpr int kCentreX = 400, kCentreY = 300;
// Top middle: sky above the skyline in the game screen.
constexpr int kSkyX = 400, kSkyY = 8;

}  // namespace

TEST(Slides, ClicksStepThroughTheSlidesIntoTheGame) {
  e2e::GameProcess game(slidesOnlyWorkDir("slides-click"));
  ASSERT_NE(game.waitForWindow(), 0u) << game.errors();
  EXPECT_EQ(game.size(), (std::array<int, 2>{800, 600}));

  for (const Rgb& colour : kSlideColours) {
    ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, colour, 12, 20)) << "slide did not show";
    game.click(kCentreX, kCentreY);
  }
  EXPECT_TRUE(game.waitForPixel(kSkyX, kSkyY, kClearColour, 6, 20)) << "game screen did not start";
  EXPECT_TRUE(game.alive());
  EXPECT_NE(game.output().find("\nLoading texture ./res/images/scrn_FrameworkTitle.png...done."), std::string::npos);
}

TEST(Slides, StartKeyStepsOneSlidePerPress) {
  e2e::GameProcess game(slidesOnlyWorkDir("slides-key"));
  ASSERT_NE(game.waitForWindow(), 0u) << game.errors();
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[0], 12, 20));
  game.key("3");
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[1], 12, 10));
  e2e::pause(0.5);  // one press is one step, however many frames pass
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[1], 12, 1));
  game.key("3");
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[2], 12, 10));
  game.key("q");  // a square key does nothing on the slides
  e2e::pause(0.3);
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[2], 12, 1));
}

TEST(Slides, MissingSlidesShortenTheShow) {
  std::string dir = slidesOnlyWorkDir("slides-missing");
  std::filesystem::remove(dir + "/res/images/scrn_FrameworkAbout.png");
  std::filesystem::remove(dir + "/res/images/scrn_Oxar2.png");
  e2e::GameProcess game(dir);
  ASSERT_NE(game.waitForWindow(), 0u) << game.errors();
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[0], 12, 20));
  game.click(kCentreX, kCentreY);
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[2], 12, 10));
  game.click(kCentreX, kCentreY);
  EXPECT_TRUE(game.waitForPixel(kSkyX, kSkyY, kClearColour, 6, 20));
}
