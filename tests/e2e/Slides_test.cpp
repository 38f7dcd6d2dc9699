// The real game in the test's X server: the window, the slides stepped with
// real clicks and keys, and the game screen after the last slide.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Assets.h"
#include "support/GameProcess.h"

namespace {

using e2e::Rgb;

const Rgb kSlideColours[] = {{220, 30, 30}, {30, 200, 40}, {40, 60, 230}, {230, 210, 20}};
static_assert(std::size(kSlideColours) == std::size(assets::kSlides));

// A work dir whose four slides are solid colours, so each step is visible in one pixel.
testfiles::TempDir slidesOnlyWorkDir(const std::string& tag) {
  testfiles::TempDir dir = e2e::fontOnly(tag);
  for (size_t s = 0; s < std::size(assets::kSlides); ++s) {
    const Rgb& c = kSlideColours[s];
    testfiles::writeSolidPng(dir.path() / assets::kSlides[s], 64, 48, {c[0], c[1], c[2], 255});
  }
  return dir;
}

// The middle of the window, away from the pad indicator and the score.
constexpr int kCentreX = 400, kCentreY = 300;

}  // namespace

TEST(Slides, ClicksStepThroughTheSlidesIntoTheGame) {
  e2e::GameProcess game(slidesOnlyWorkDir("slides-click"), {e2e::kNoLeakCheckAtExit});  // closed at the end
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  EXPECT_EQ(game.size(), (std::array<int, 2>{800, 600}));

  for (const Rgb& colour : kSlideColours) {
    ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, colour, 12, 20)) << "slide did not show";
    game.click(kCentreX, kCentreY);
  }
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 20)) << "game screen did not start";
  game.close();
  ASSERT_EQ(game.waitForExit(20), 0) << game.report();
  EXPECT_NE(game.output().find(std::string("\nLoading texture ") + assets::kSlides[0] + "...done."), std::string::npos)
      << game.output();
}

TEST(Slides, StartKeyStepsOneSlidePerPress) {
  e2e::GameProcess game(slidesOnlyWorkDir("slides-key"));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[0], 12, 20));
  game.stillKey("3");
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[1], 12, 10));
  game.play(0.3);  // one press is one step, however long it stays
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[1], 12, 0));
  game.stillKey("3");
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[2], 12, 10));
  game.stillKey("q");  // a square key does nothing on the slides
  game.play(0.3);
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[2], 12, 0));
  game.tap("3");  // down and up before any frame: still one step
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[3], 12, 10));
  game.play(0.3);
  EXPECT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[3], 12, 0));
}

TEST(Slides, MissingSlidesShortenTheShow) {
  testfiles::TempDir dir = slidesOnlyWorkDir("slides-missing");
  std::filesystem::remove(dir.path() / assets::kSlides[1]);
  std::filesystem::remove(dir.path() / assets::kSlides[3]);
  e2e::GameProcess game(std::move(dir));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[0], 12, 20));
  game.click(kCentreX, kCentreY);
  ASSERT_TRUE(game.waitForPixel(kCentreX, kCentreY, kSlideColours[2], 12, 10));
  game.click(kCentreX, kCentreY);
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 20));
}
