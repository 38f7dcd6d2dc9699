// The drawing shortcuts are there only to spare the renderer work: the game
// screen, brought up from the real ./res/ tree in the game window's GL state
// and played until splatter, walkers, falling feet and the score all show,
// must look the same drawn with the state shortcuts and without (opaque
// pictures unblended, white passes untinted), and within the fill shortcuts'
// tolerances with each of those and without, in a window and at full HD:
// trimmed quads within 2 levels a channel but for the odd pixel at a
// picture's edge; the splatter drawn into the floor, resampled once more, and
// the victims and feet drawn far to near instead of depth-tested, each 1.5
// levels on average and 99.9 % of the pixels within 32.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/App.h"
#include "app/Window.h"
#include "core/Random.h"
#include "input/KeyboardState.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"
#include "support/GlTest.h"

namespace {

constexpr float kStep = 0.05f;  // seconds per update
constexpr int kStompEvery = 6;  // updates
constexpr int kUpdatesBetweenLooks = 37;
constexpr int kLooks = 4;
constexpr unsigned kSeed = 20260101;  // the same crowd on every run
constexpr long kEdgePixelsAllowed = 8;  // a frame, where trimming tips whether a picture's edge covers a pixel
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
  bool state = true, trimmed = true, decals = true, standing = true;
};

// What the frame put on screen. Mesa's software swap copies the back buffer to
// the window and leaves it as it was; its front buffer reads back black.
testgl::Frame drawn(Shortcuts shortcuts) {
  allowStateShortcuts(shortcuts.state);
  allowFillShortcut(FillShortcut::PackedSprites, shortcuts.trimmed);
  allowFillShortcut(FillShortcut::FloorDecals, shortcuts.decals);
  allowFillShortcut(FillShortcut::StandingOrder, shortcuts.standing);
  App::instance().render();
  WindowSize size = windowSize();
  testgl::Frame frame{size.width, size.height, std::vector<uint8_t>(static_cast<size_t>(size.width) * size.height * 4)};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, size.width, size.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
  allowStateShortcuts(true);
  for (FillShortcut shortcut : {FillShortcut::PackedSprites, FillShortcut::FloorDecals, FillShortcut::StandingOrder})
    allowFillShortcut(shortcut, true);
  return frame;
}

struct Difference {
  int largest = 0;       // levels, of any channel
  double mean = 0;       // levels a channel
  double within32 = 1;   // share of pixels whose channels are all within 32 levels
  long over2 = 0;        // pixels with a channel more than 2 levels off
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
    d.over2 += pixelLargest > 2;
  }
  d.mean = static_cast<double>(sum) / (a.rgba.size() / 4 * 3);
  d.within32 = static_cast<double>(near) / (a.rgba.size() / 4);
  return d;
}

class DrawingShortcuts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setStartupGlState();  // as the game's window has it: back faces culled, and so the walls nearest the eye
    randomInt(1);         // the first draw seeds from the clock; the seed below replaces it
    std::srand(kSeed);
    App::instance().init();  // the tests run from the repository root: the real ./res/
    while (App::instance().screen() != ScreenId::Game) {
      tap('3');
      App::instance().update(kStep);
    }
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
      testgl::Frame depthTested = drawn({.decals = false, .standing = false});
      std::string where = std::to_string(width) + "x" + std::to_string(height) + " look " + std::to_string(look);
      Difference cut = difference(plain, trimmed);
      EXPECT_LE(cut.over2, kEdgePixelsAllowed) << where;
      for (Difference moved : {difference(trimmed, decals), difference(depthTested, trimmed)}) {
        EXPECT_LE(moved.mean, 1.5) << where;
        EXPECT_GE(moved.within32, 0.999) << where;
      }
    }
  }
  EXPECT_GT(victimCrowd.corpsesDropped(), 0u) << "the copy never had a splatter taken out";
}

}  // namespace
