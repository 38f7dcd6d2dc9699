// The drawing shortcuts are there only to spare the renderer work: the game
// screen, brought up from the real ./res/ tree and played until splatter,
// walkers, falling feet and the score all show, must look the same drawn with
// the state shortcuts and without (opaque pictures unblended, white passes
// untinted), and within the fill shortcuts' tolerances with each of those and
// without: trimmed quads within 2 levels a channel; the splatter drawn into
// the floor, resampled once more, 1.5 levels on average and 99.9 % of the
// pixels within 32, in a window and at full HD.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/App.h"
#include "app/Window.h"
#include "input/KeyboardState.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"
#include "support/GlTest.h"

namespace {

constexpr float kStep = 0.05f;  // seconds per update
constexpr int kStompEvery = 6;  // updates
constexpr int kUpdatesBetweenLooks = 37;
constexpr int kLooks = 4;
const unsigned char kSquareKeys[] = {'q', 'w', 'e', 'a', 'd', 'z', 'x', 'c'};

void tap(unsigned char key) {
  KeyboardState::instance().onKeyDown(key, 0, 0);
  KeyboardState::instance().onKeyUp(key, 0, 0);
}

// Updates, stomping on a rhythm; every drawEvery-th is drawn, so the floor's copy follows the game as it goes.
void play(int updates, int drawEvery = 0) {
  static int played = 0;
  for (int i = 0; i < updates; ++i, ++played) {
    if (played % kStompEvery == 0) tap(kSquareKeys[(played / kStompEvery) % std::size(kSquareKeys)]);
    App::instance().update(kStep);
    if (drawEvery && i % drawEvery == 0) App::instance().render();
  }
}

struct Shortcuts {
  bool state = true, trimmed = true, decals = true;
};

// What the frame put on screen: read from the front buffer, as the frame ends in a swap.
testgl::Frame drawn(Shortcuts shortcuts) {
  allowStateShortcuts(shortcuts.state);
  allowFillShortcut(FillShortcut::PackedSprites, shortcuts.trimmed);
  allowFillShortcut(FillShortcut::FloorDecals, shortcuts.decals);
  App::instance().render();
  WindowSize size = windowSize();
  testgl::Frame frame{size.width, size.height, std::vector<uint8_t>(static_cast<size_t>(size.width) * size.height * 4)};
  glReadBuffer(GL_FRONT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, size.width, size.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
  glReadBuffer(GL_BACK);
  allowStateShortcuts(true);
  allowFillShortcut(FillShortcut::PackedSprites, true);
  allowFillShortcut(FillShortcut::FloorDecals, true);
  return frame;
}

struct Difference {
  int largest = 0;       // levels, of any channel
  double mean = 0;       // levels a channel
  double within32 = 1;   // share of pixels whose channels are all within 32 levels
};

Difference difference(const testgl::Frame& a, const testgl::Frame& b) {
  Difference d;
  long sum = 0, near = 0;
  for (size_t i = 0; i < a.rgba.size(); i += 4) {
    int pixelLargest = 0;
    for (size_t c = i; c < i + 3; ++c) {
      int channel = std::abs(a.rgba[c] - b.rgba[c]);
      sum += channel;
      pixelLargest = std::max(pixelLargest, channel);
    }
    d.largest = std::max(d.largest, pixelLargest);
    near += pixelLargest <= 32;
  }
  d.mean = static_cast<double>(sum) / (a.rgba.size() / 4 * 3);
  d.within32 = static_cast<double>(near) / (a.rgba.size() / 4);
  return d;
}

class DrawingShortcuts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    App::instance().init();  // the tests run from the repository root: the real ./res/
    while (App::instance().screen() != ScreenId::Game) {
      tap('3');
      App::instance().update(kStep);
    }
    drawn({});  // the window's first frame: the front buffer holds nothing before it
  }

  // The window at the size, once the frame has applied it.
  static void resizeWindow(int width, int height) {
    registerCallbacks();     // the game's reshape callback records the size for the frame to apply
    glutDisplayFunc([] {});  // GLUT's events are pumped here; the test draws the frames itself
    glutIdleFunc(nullptr);
    glutReshapeWindow(width, height);
    while (windowSize().width != width || windowSize().height != height) {
      glutMainLoopEvent();
      App::instance().displayFrame();
    }
  }
};

TEST_F(DrawingShortcuts, StateShortcutsChangeNoPixelOfThePlayedGameScreen) {
  for (int look = 0; look < kLooks; ++look) {
    play(kUpdatesBetweenLooks);
    testgl::Frame plain = drawn({.state = false});
    testgl::Frame quick = drawn({});
    ASSERT_EQ(plain.rgba.size(), quick.rgba.size());
    EXPECT_LE(difference(plain, quick).largest, 1) << "look " << look;
  }
  EXPECT_FALSE(victimCrowd.corpses().empty()) << "the script never squashed anyone";
  EXPECT_FALSE(victimCrowd.live().empty());
}

// The floor's copy is kept up frame by frame while the crowd gathers and drops
// corpses past its cap, then drawn first, before anything rebuilds it.
TEST_F(DrawingShortcuts, FillShortcutsKeepTheGameScreenWithinTheirTolerances) {
  for (auto [width, height] : {std::pair{testgl::kWidth, testgl::kHeight}, {1920, 1080}}) {
    resizeWindow(width, height);
    for (int look = 0; look < kLooks; ++look) {
      play(3 * kUpdatesBetweenLooks, 3);
      testgl::Frame decals = drawn({});
      testgl::Frame trimmed = drawn({.decals = false});
      testgl::Frame plain = drawn({.trimmed = false, .decals = false});
      EXPECT_LE(difference(plain, trimmed).largest, 2) << width << "x" << height << " look " << look;
      Difference baked = difference(trimmed, decals);
      EXPECT_LE(baked.mean, 1.5) << width << "x" << height << " look " << look;
      EXPECT_GE(baked.within32, 0.999) << width << "x" << height << " look " << look;
    }
  }
  EXPECT_GT(victimCrowd.corpsesDropped(), 0u) << "the copy never had a splatter taken out";
}

}  // namespace
