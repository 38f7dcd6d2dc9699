// The drawing shortcuts (opaque pictures unblended, white passes untinted) are
// there only to spare the renderer work: the game screen, brought up from the
// real ./res/ tree and played until splatter, walkers, falling feet and the
// score all show, must look the same drawn with them and without.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/App.h"
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

void play(int updates) {
  static int played = 0;
  for (int i = 0; i < updates; ++i, ++played) {
    if (played % kStompEvery == 0) tap(kSquareKeys[(played / kStompEvery) % std::size(kSquareKeys)]);
    App::instance().update(kStep);
  }
}

// What the frame put on screen: read from the front buffer, as the frame ends in a swap.
testgl::Frame drawn(bool shortcuts) {
  allowStateShortcuts(shortcuts);
  App::instance().render();
  glReadBuffer(GL_FRONT);
  testgl::Frame frame = testgl::readFrame();
  glReadBuffer(GL_BACK);
  allowStateShortcuts(true);
  return frame;
}

int largestChannelDifference(const testgl::Frame& a, const testgl::Frame& b) {
  int largest = 0;
  for (size_t i = 0; i < a.rgba.size(); ++i) largest = std::max(largest, std::abs(a.rgba[i] - b.rgba[i]));
  return largest;
}

TEST(StateShortcuts, ChangeNoPixelOfThePlayedGameScreen) {
  App::instance().init();  // the tests run from the repository root: the real ./res/
  while (App::instance().screen() != ScreenId::Game) {
    tap('3');
    App::instance().update(kStep);
  }
  drawn(true);  // the window's first frame: the front buffer holds nothing before it
  for (int look = 0; look < kLooks; ++look) {
    play(kUpdatesBetweenLooks);
    testgl::Frame plain = drawn(false);
    testgl::Frame quick = drawn(true);
    ASSERT_EQ(plain.rgba.size(), quick.rgba.size());
    EXPECT_LE(largestChannelDifference(plain, quick), 1) << "look " << look;
  }
  EXPECT_FALSE(victimCrowd.corpses().empty()) << "the script never squashed anyone";
  EXPECT_FALSE(victimCrowd.live().empty());
}

}  // namespace
