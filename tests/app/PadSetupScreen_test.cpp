// The pad setup screen on a real GL context, read back in pixels: the large
// indicator with the asked square lit in gold, larger than the others, and the
// lines of text drawn in the game's font, centred and big enough to read.
// The indicator's picture is plain white here, so sizes are the drawn quads'.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>

#include "app/hud/Hud.h"
#include "core/Assets.h"
#include "media/FontManager.h"
#include "objects/Camera.h"
#include "support/Files.h"
#include "support/GlTest.h"
#include "support/VirtualPad.h"

namespace {

using Rgba = std::array<uint8_t, 4>;

bool near(const uint8_t* a, const Rgba& b, int tolerance) {
  for (int c = 0; c < 3; ++c)
    if (std::abs(a[c] - b[c]) > tolerance) return false;
  return true;
}

// Bounding box of the pixels near a colour within rows [bottom, top].
testgl::Box boxOf(const testgl::Frame& frame, const Rgba& colour, int tolerance, int bottom, int top) {
  return testgl::boxWhere(frame, [&](const uint8_t* p) { return near(p, colour, tolerance); },
                          {0, bottom, frame.width, top + 1});
}

// Width of the run of pixels near the colour through (x, y), along the row.
int runWidth(const testgl::Frame& frame, int x, int y, const Rgba& colour, int tolerance) {
  return testgl::runsThrough(frame, x, y, [&](const uint8_t* p) { return near(p, colour, tolerance); }).width();
}

TEST(PadSetupScreen, DrawsTheLargeIndicatorWithTheAskedSquareLitAndLegibleText) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0 || SDL_NumJoysticks() != 0) GTEST_SKIP() << "no clean joystick subsystem";
  testfiles::TempDir config("setupscreen-config");
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

  testfiles::TempDir dir("setupscreen");  // a white indicator picture
  std::filesystem::create_directories((dir.path() / assets::kPadIndicator).parent_path());
  testfiles::writeSolidPng(dir.path() / assets::kPadIndicator, 64, 64, {255, 255, 255, 255});
  auto home = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  hud::load();
  std::filesystem::current_path(home);
  FontManager::instance().load(assets::kFont, 32);
  Camera::instance().resize(testgl::kWidth, testgl::kHeight);

  testpad::VirtualPad pad({.name = "Screen Pad"});
  ASSERT_TRUE(pad.ok());
  DancePad pads;
  pads.open();
  pads.poll();
  PadSetup setup;
  setup.begin(pads, 0);
  ASSERT_EQ(setup.slot(), kSlotUp);

  const auto sky = assets::kSkyColour;
  testgl::resetFrame(sky.r / 255.f, sky.g / 255.f, sky.b / 255.f);
  hud::drawPadSetup(setup);
  const testgl::Frame frame = testgl::readFrame();

  // The grid: pitch 100 pixels (a sixth of 600), centre column at x = 400,
  // top row at y = 320. Up is the top middle square, lit gold and 95 wide; the
  // others are white over the background and 65 wide.
  const Rgba gold = {255, 204, 26, 255};
  const Rgba unlit = {229, 225, 214, 255};
  EXPECT_TRUE(near(frame.at(400, 320), gold, 6));
  EXPECT_NEAR(runWidth(frame, 400, 320, gold, 6), 95, 1);
  for (int column : {0, 2})
    EXPECT_NEAR(runWidth(frame, 300 + 100 * column, 320, unlit, 6), 65, 1) << "top row, column " << column;
  EXPECT_NEAR(runWidth(frame, 400, 120, unlit, 6), 65, 1) << "Down";
  EXPECT_TRUE(near(frame.at(500, 395), unlit, 6)) << "Start's bar";

  // The request line: dark ink centred on the window, as tall as the font
  // draws capitals and descenders, and wide enough to hold its words.
  const Rgba ink = {0, 0, 0, 255};
  testgl::Box request = boxOf(frame, ink, 90, 470, 540);
  ASSERT_FALSE(request.empty()) << "no text where the request line belongs";
  EXPECT_NEAR((request.left + request.right) / 2.0, 400, 3);
  EXPECT_GE(request.height(), 30);
  EXPECT_GT(request.width(), 300);
  EXPECT_LT(request.width(), testgl::kWidth - 40);
  EXPECT_FALSE(boxOf(frame, ink, 90, 535, 580).empty()) << "the title line";
  EXPECT_FALSE(boxOf(frame, ink, 90, 10, 40).empty()) << "the hint line";
  EXPECT_TRUE(boxOf(frame, ink, 90, 200, 440).empty()) << "text over the grid";
}

}  // namespace
