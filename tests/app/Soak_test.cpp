// Soak: the whole game, brought up from the real ./res/ tree in the test's
// window, played for many frames with random presses and releases of every
// button, stomps on every square every few frames and random window resizes.
// Under the sanitizers any memory error or leak fails the run; here we check
// that corpses stay capped and that GL display lists and textures do not pile
// up from wave to wave.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <random>

#include "app/App.h"
#include "game/VictimCrowd.h"
#include "input/KeyboardState.h"
#include "objects/Camera.h"
#include "support/GlTest.h"

namespace {

constexpr int kFrames = 20000;
// Updating is cheap and every frame runs it; drawing under the sanitizers on a
// software renderer is not, so only every 4th frame is drawn.
constexpr int kRenderEvery = 4;
constexpr float kStep = 0.05f;        // seconds per frame: victims cross the floor quickly
constexpr int kStompEvery = 3;        // frames between presses of all eight squares
constexpr int kResizeEvery = 700;     // frames between window resizes, on average
constexpr unsigned kNameScan = 200000;  // GL names checked when counting live objects
constexpr int kWaveLists = 60 * 5;    // display lists of one wave's victims

const unsigned char kSquareKeys[] = {'q', 'w', 'e', 'a', 'd', 'z', 'x', 'c'};
// Every key the game knows, and a few it ignores.
const unsigned char kAnyKeys[] = {'q', 'w', 'e', 'a', 'd', 'z', 'x', 'c', '3', '1', 's', ' ', 'Q', 200};
const int kMouseButtons[] = {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON, 3, 4};

struct GlObjects {
  int lists = 0;
  int textures = 0;
};

// Live names, found by asking GL about every name up to a bound that a fresh
// name shows to lie above all names handed out so far.
GlObjects countGlObjects() {
  GLuint probeList = glGenLists(1);
  GLuint probeTexture = 0;
  glGenTextures(1, &probeTexture);
  glDeleteLists(probeList, 1);
  glDeleteTextures(1, &probeTexture);
  EXPECT_LT(probeList, kNameScan);
  EXPECT_LT(probeTexture, kNameScan);
  GlObjects count;
  for (GLuint name = 1; name < kNameScan; ++name) {
    count.lists += glIsList(name) == GL_TRUE;
    count.textures += glIsTexture(name) == GL_TRUE;
  }
  return count;
}

class Player {
 public:
  // Random presses and releases of every key and mouse button, and all eight squares every few frames.
  void press(int frame) {
    KeyboardState& keys = KeyboardState::instance();
    if (frame % kStompEvery == 0)
      for (unsigned char key : kSquareKeys) keys.onKeyDown(key, 0, 0);
    else if (frame % kStompEvery == 1)
      for (unsigned char key : kSquareKeys) keys.onKeyUp(key, 0, 0);
    unsigned char key = kAnyKeys[pick(std::size(kAnyKeys))];
    if (chance(0.5)) (chance(0.5) ? keys.onKeyDown(key, 0, 0) : keys.onKeyUp(key, 0, 0));
    if (chance(0.1)) {
      int button = kMouseButtons[pick(std::size(kMouseButtons))];
      keys.onMouseButton(button, chance(0.5) ? GLUT_DOWN : GLUT_UP, pick(800), pick(600));
    }
  }

  void maybeResize() {
    if (!chance(1.0 / kResizeEvery)) return;
    if (chance(0.2))
      Camera::instance().resize(0, 0);  // a minimised window
    else
      Camera::instance().resize(pick(1600), pick(1200));
  }

 private:
  bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
  int pick(size_t n) { return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(random_); }

  std::mt19937 random_{12345};
};

void frame(int index) {
  App::instance().update(kStep);
  if (index % kRenderEvery != 0) return;
  glPushMatrix();
  App::instance().render();
  glPopMatrix();
}

}  // namespace

TEST(Soak, TwentyThousandFramesOfRandomPlayStayBounded) {
  App::instance().init();  // the tests run from the repository root: the real ./res/
  Player player;
  int waves = 1;  // the first came with init
  GlObjects atWave2, atWave10;
  size_t mostCorpses = 0;
  for (int i = 0; i < kFrames; ++i) {
    player.press(i);
    player.maybeResize();
    size_t liveBefore = victimCrowd.live().size();
    frame(i);
    mostCorpses = std::max(mostCorpses, victimCrowd.corpses().size());
    if (victimCrowd.live().size() <= liveBefore) continue;  // only a new wave adds victims
    ++waves;
    if (waves == 2) atWave2 = countGlObjects();
    if (waves == 10) atWave10 = countGlObjects();
  }
  Camera::instance().resize(testgl::kWidth, testgl::kHeight);

  EXPECT_EQ(App::instance().screen(), App::Game);
  ASSERT_GE(waves, 10) << "the script did not clear enough waves";
  EXPECT_EQ(mostCorpses, static_cast<size_t>(VictimCrowd::kMaxCorpses));
  EXPECT_NEAR(atWave10.lists, atWave2.lists, kWaveLists);
  EXPECT_EQ(atWave10.textures, atWave2.textures);
  EXPECT_GT(atWave2.lists, kWaveLists);  // the count saw the first waves' lists
}
