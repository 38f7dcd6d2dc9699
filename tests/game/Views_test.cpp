// The game screen from each of its four quarter-turn views, drawn with the
// real pictures of res/ over an empty floor: every view shows a skyline of its
// own, so a turn is plain to see, and the pad indicator reads over the floor
// in all of them.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "app/hud/Hud.h"
#include "core/Assets.h"
#include "core/Field.h"
#include "core/Sprites.h"
#include "game/StompWorld.h"
#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "objects/Arena.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"
#include "support/GlTest.h"
#include "support/Walkers.h"

namespace {

constexpr int kViews = 4;
constexpr float kFieldOfView = 60;  // degrees, the game's
// Each view is drawn after one whole period (2 pi seconds) of the camera's sway,
// so all four are drawn at the same phase and differ only by where they look.
constexpr int kFramesPerView = 64;
constexpr float kFrame = static_cast<float>(2 * M_PI / kFramesPerView);  // seconds

// Margins read off the art. Over the band above the floor's far edge, the four
// skylines make any two views differ by 31 to 36 levels per channel on average;
// with one picture on all four sides they did not differ at all.
constexpr double kViewsDifferBy = 20;
// The outline of each unlit indicator square stands 3.9 to 5.2 to 1 against the
// floor under it; the white square without an outline, over pale dots, stood
// 1.5 to 1.9 to 1.
// 3 to 1 is the usual floor for a graphic that has to be seen.
constexpr double kOutlineContrast = 3;

using testgl::Frame;

// Relative luminance of an sRGB pixel, 0 (black) to 1 (white).
double luminance(const uint8_t* p) {
  auto linear = [](uint8_t c) {
    double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(p[0]) + 0.7152 * linear(p[1]) + 0.0722 * linear(p[2]);
}

// The contrast ratio of two luminances, from 1 (none) to 21 (black on white).
double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// Mean absolute difference per colour channel over the rows from `fromRow` up.
double meanDifference(const Frame& a, const Frame& b, int fromRow) {
  double total = 0;
  size_t n = 0;
  for (int y = fromRow; y < testgl::kHeight; ++y)
    for (int x = 0; x < testgl::kWidth; ++x, ++n)
      for (int k = 0; k < 3; ++k) total += std::abs(a.at(x, y)[k] - b.at(x, y)[k]);
  return total / (3.0 * n);
}

struct View {
  Frame scene;      // the game screen without the indicator
  Frame indicated;  // the same with the indicator over it
  int farEdgeRow;   // window row of the middle of the floor's far edge
};

// The camera looks across the floor from outside it: the far edge is the one
// whose middle lies highest on screen (the projection is on the modelview matrix).
int farEdgeRow() {
  std::array<double, 16> view{};
  glGetDoublev(GL_MODELVIEW_MATRIX, view.data());
  const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const int viewport[4] = {0, 0, testgl::kWidth, testgl::kHeight};
  const float h = field::kHalfSize;
  const float middles[4][2] = {{0, h}, {-h, 0}, {0, -h}, {h, 0}};
  double highest = 0;
  for (const auto& m : middles) {
    double x, y, z;
    gluProject(m[0], m[1], 0, view.data(), identity, viewport, &x, &y, &z);
    if (z < 1 && y > highest) highest = y;
  }
  return static_cast<int>(highest);
}

View capture() {
  View view;
  testgl::resetFrame(assets::kSkyColour.r / 255.0f, assets::kSkyColour.g / 255.0f, assets::kSkyColour.b / 255.0f);
  setStartupGlState();
  Camera::instance().draw();
  view.farEdgeRow = farEdgeRow();
  arena.draw();
  view.scene = testgl::readFrame();
  hud::drawIndicator(PadInput::instance().frame().pads);
  view.indicated = testgl::readFrame();
  glDisable(GL_CULL_FACE);
  return view;
}

// The four views in turn order: the start view, then one Start press each. A
// world turns the camera as in the game; one walker, never drawn, keeps its
// wave from ending, so the floor stays empty.
const std::array<View, kViews>& views() {
  static const std::array<View, kViews> shots = [] {
    Camera::instance().resize(testgl::kWidth, testgl::kHeight);
    Camera::instance().setFieldOfView(kFieldOfView);
    arena.load();
    hud::load();
    VictimCrowd crowd;
    FootManager feet;
    StompWorld world(crowd, feet);
    walkers::addWalker(crowd, 0, 0);
    KeyboardState& keys = KeyboardState::instance();
    std::array<View, kViews> all;
    for (int v = 0; v < kViews; ++v) {
      for (int f = 0; f < kFramesPerView; ++f) {
        if (v > 0 && f == 0) keys.onKeyDown('3', 0, 0);
        if (f == 1) keys.onKeyUp('3', 0, 0);
        keys.tick(kFrame);
        PadInput::instance().read(keys);
        world.update(kFrame, PadInput::instance().frame().pads);
      }
      EXPECT_NEAR(world.viewAngle(), world.targetAngle(), 0.01) << "view " << v << " has settled";
      all[v] = capture();
    }
    return all;
  }();
  return shots;
}

TEST(Views, EachQuarterTurnShowsASkylineOfItsOwn) {
  const auto& all = views();
  int band = all[0].farEdgeRow;
  ASSERT_GT(band, testgl::kHeight / 4);
  ASSERT_LT(band, testgl::kHeight * 3 / 4);
  for (int a = 0; a < kViews; ++a)
    for (int b = a + 1; b < kViews; ++b) {
      double difference = meanDifference(all[a].scene, all[b].scene, band);
      EXPECT_GT(difference, kViewsDifferBy) << "views " << a << " and " << b;
    }
}

// Contrast of one unlit square's outline: the band along the inside of its edge
// (the square fills about 0.8 of its quad), as drawn against the same pixels
// without the indicator.
double outlineContrast(const View& view, int square) {
  float size = indicator::kPitch * indicator::kUnlitScale;  // pixels
  float cx = testgl::kWidth - indicator::kSquare0FromRight + indicator::kPitch * (square % 3);
  float cy = indicator::kSquare0FromBottom - indicator::kPitch * (square / 3);
  double drawn = 0, floor = 0;
  int n = 0;
  for (int y = static_cast<int>(cy - size); y < cy + size; ++y)
    for (int x = static_cast<int>(cx - size); x < cx + size; ++x) {
      float dx = std::fabs(x + 0.5f - cx) / size, dy = std::fabs(y + 0.5f - cy) / size;
      bool onRing = std::max(dx, dy) > 0.32f && std::max(dx, dy) < 0.39f;
      bool onCorner = std::min(dx, dy) > 0.27f;  // rounded off
      if (!onRing || onCorner) continue;
      drawn += luminance(view.indicated.at(x, y));
      floor += luminance(view.scene.at(x, y));
      ++n;
    }
  return contrastRatio(drawn / n, floor / n);
}

TEST(Views, EveryUnlitIndicatorSquareStandsOutFromTheFloorUnderIt) {
  const auto& all = views();
  for (int v = 0; v < kViews; ++v)
    for (int square = 0; square < 9; ++square) {
      double contrast = outlineContrast(all[v], square);
      EXPECT_GT(contrast, kOutlineContrast) << "view " << v << ", square " << square;
    }
}

}  // namespace
