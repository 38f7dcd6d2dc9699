// The pad square indicator on a real GL context: where each square and bar lands
// in window pixels, how big it is when held, and that it follows window resizes.
// It draws its own all-white opaque picture, so sizes are the drawn quads'.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/hud/Hud.h"
#include "core/Assets.h"
#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "media/Texture.h"
#include "objects/Camera.h"
#include "support/Files.h"
#include "support/GlTest.h"

namespace {

constexpr const char* kPicture = assets::kPadIndicator;

struct Extent {
  int width, height;
  bool operator==(const Extent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Extent& e) { return out << e.width << "x" << e.height; }

using testgl::Frame;

bool drawn(const uint8_t* rgba) { return rgba[0] > 64; }  // the background is black
bool drawnAt(const Frame& frame, int x, int y) { return drawn(frame.at(x, y)); }

// Size of the drawn patch through (x, y), along its row and its column.
Extent extentAt(const Frame& frame, int x, int y) {
  testgl::Box runs = testgl::runsThrough(frame, x, y, drawn);
  return {runs.width(), runs.height()};
}

// A bar's top and bottom edges fall exactly on pixel centres (146 +- 6.5 or 9.5),
// so float rounding decides whether the edge rows are drawn: allow one row less.
void expectBar(const Frame& frame, int x, int y, int width, int height, const char* name) {
  Extent e = extentAt(frame, x, y);
  EXPECT_EQ(e.width, width) << name;
  EXPECT_GE(e.height, height - 1) << name;
  EXPECT_LE(e.height, height) << name;
}

class PadIndicator : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testfiles::TempDir dir("indicator");
    std::filesystem::create_directories((dir.path() / kPicture).parent_path());
    testfiles::writeSolidPng(dir.path() / kPicture, 64, 64, {255, 255, 255, 255});
    auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    hud::load();  // the texture is loaded here; the directory is not needed after
    std::filesystem::current_path(home);
  }

  void TearDown() override {
    for (unsigned char key : {'q', '1', '3'}) KeyboardState::instance().onKeyUp(key, 0, 0);
    KeyboardState::instance().tick(0);
    Camera::instance().resize(testgl::kWidth, testgl::kHeight);
  }

  // As the game's frame does: the keys' state read into the frame's input, then drawn.
  static void drawIndicator() {
    PadInput::instance().read(KeyboardState::instance());
    hud::drawIndicator(PadInput::instance().frame().pads);
  }

  static Frame draw() {
    testgl::resetFrame(0, 0, 0);
    drawIndicator();
    return testgl::readFrame();
  }
};

TEST_F(PadIndicator, UsesItsPicture) { EXPECT_NE(TextureRegistry::instance().find(kPicture), 0u); }

TEST_F(PadIndicator, UnlitGridSitsInTheBottomRightCorner) {
  const Frame frame = draw();
  const int right = testgl::kWidth;
  for (int i = 0; i < 9; ++i) {
    int x = right - 116 + 40 * (i % 3), y = 116 - 40 * (i / 3);
    EXPECT_EQ(extentAt(frame, x, y), (Extent{26, 26})) << "square " << i;
  }
  expectBar(frame, right - 116, 146, 26, 13, "Select");
  expectBar(frame, right - 36, 146, 26, 13, "Start");
  EXPECT_FALSE(drawnAt(frame, right - 76, 146));  // nothing between the two bars
}

TEST_F(PadIndicator, IsWhiteAtThreeQuartersOverTheScene) {
  const Frame frame = draw();
  const uint8_t* rgba = frame.at(testgl::kWidth - 116, 116);
  for (int channel = 0; channel < 3; ++channel) EXPECT_NEAR(rgba[channel], 191, 3) << channel;
}

TEST_F(PadIndicator, HeldButtonsAreDrawnLarger) {
  KeyboardState& keys = KeyboardState::instance();
  keys.onKeyDown('q', 0, 0);
  keys.onKeyDown('3', 0, 0);
  keys.tick(0);
  const Frame held = draw();
  const int right = testgl::kWidth;
  EXPECT_EQ(extentAt(held, right - 116, 116), (Extent{38, 38})) << "square 0";
  EXPECT_EQ(extentAt(held, right - 76, 116), (Extent{26, 26})) << "square 1";
  expectBar(held, right - 36, 146, 38, 19, "Start");
  expectBar(held, right - 116, 146, 26, 13, "Select");

  keys.onKeyUp('3', 0, 0);
  keys.onKeyDown('1', 0, 0);
  keys.tick(0);
  const Frame swapped = draw();
  expectBar(swapped, right - 36, 146, 26, 13, "Start");
  expectBar(swapped, right - 116, 146, 38, 19, "Select");
}

TEST_F(PadIndicator, FollowsTheWindowSize) {
  Camera::instance().resize(640, 480);
  const Frame frame = draw();
  EXPECT_EQ(extentAt(frame, 640 - 116, 116), (Extent{26, 26})) << "square 0";
  expectBar(frame, 640 - 36, 146, 26, 13, "Start");
  EXPECT_FALSE(drawnAt(frame, testgl::kWidth - 116, 116));  // not where it sat at 800 wide
}

TEST_F(PadIndicator, LeavesTheMatrixStacksAsFound) {
  testgl::resetFrame(0, 0, 0);
  testgl::DrawCheck check;
  drawIndicator();
  EXPECT_TRUE(check.clean());
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
