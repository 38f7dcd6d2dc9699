// Soak: the whole game, brought up from the real ./res/ tree in the test's
// window, played for many frames with random presses and releases of every
// button, stomps on every square every few frames and window resizes, through
// the slides and wave after wave. Under the sanitizers any memory error or
// leak fails the run; here we check that every drawn frame raises no GL error
// and leaves the matrix stacks as it found them, that corpses stay capped and
// that GL display lists and textures do not pile up from wave to wave.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <random>

#include "app/App.h"
#include "input/KeyboardState.h"
#include "objects/Camera.h"
#include "objects/VictimCrowd.h"
#include "support/GlTest.h"

namespace {

// Updating is cheap and every frame runs it; drawing under the sanitizers on a
// software renderer is not, so only every 4th frame is drawn.
constexpr int kRenderEvery = 4;
constexpr float kStep = 0.05f;          // seconds per frame: victims cross the floor quickly
constexpr int kStompEvery = 3;          // frames between presses of all eight squares
constexpr int kMinimiseEvery = 4;       // of the resizes, this one is to nothing, as when minimised
constexpr unsigned kNameScan = 200000;  // GL names checked when counting live objects
constexpr int kVictimLists = 5 * 2;    // display lists all victims share: five quads, each trimmed and whole
constexpr int kWavesCompared = 10;      // GL objects are counted at the 2nd and at this wave

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
  explicit Player(int resizeEvery) : resizeEvery_(resizeEvery) {}

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

  // A resize to a random size every so many frames, now and then to nothing.
  void maybeResize(int frame) {
    if (frame % resizeEvery_ != resizeEvery_ - 1) return;
    if (++resizes % kMinimiseEvery == 0)
      Camera::instance().resize(0, 0);
    else
      Camera::instance().resize(1 + pick(1600), 1 + pick(1200));
  }

  int resizes = 0;

 private:
  bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
  int pick(size_t n) { return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(random_); }

  int resizeEvery_;
  std::mt19937 random_{12345};
};

// What a run went through.
struct Played {
  bool sawSlides = false;
  int waves = 0;  // the first comes as the game screen opens
  size_t mostCorpses = 0;
  GlObjects atWave2, atWaveCompared;
};

class Soak : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool initialised = false;  // once per process, whichever suite comes first
    if (initialised) return;
    initialised = true;
    App::instance().init();  // the tests run from the repository root: the real ./res/
  }
  void TearDown() override { Camera::instance().resize(testgl::kWidth, testgl::kHeight); }

  // One frame as the game runs it; every drawn frame must leave the GL state clean.
  static void frame(int index) {
    App::instance().update(kStep);
    if (index % kRenderEvery != 0) return;
    glPushMatrix();
    testgl::DrawCheck check;
    App::instance().render();
    ASSERT_TRUE(check.clean()) << "frame " << index << " on screen " << static_cast<int>(App::instance().screen());
    glPopMatrix();
  }

  static void play(int frames, Player& player, Played& run) {
    for (int i = 0; i < frames; ++i) {
      player.press(i);
      player.maybeResize(i);
      run.sawSlides = run.sawSlides || App::instance().screen() == ScreenId::Slides;
      size_t liveBefore = victimCrowd.live().size();
      frame(i);
      if (::testing::Test::HasFatalFailure()) return;
      run.mostCorpses = std::max(run.mostCorpses, victimCrowd.corpses().size());
      if (victimCrowd.live().size() <= liveBefore) continue;  // only a new wave adds victims
      ++run.waves;
      if (run.waves == 2) run.atWave2 = countGlObjects();
      if (run.waves == kWavesCompared) run.atWaveCompared = countGlObjects();
    }
  }

  static void expectBounded(const Played& run) {
    EXPECT_EQ(App::instance().screen(), ScreenId::Game);
    ASSERT_GE(run.waves, kWavesCompared) << "the script did not clear enough waves";
    EXPECT_EQ(run.mostCorpses, static_cast<size_t>(VictimCrowd::kMaxCorpses));
    EXPECT_NEAR(run.atWaveCompared.lists, run.atWave2.lists, kVictimLists);
    EXPECT_EQ(run.atWaveCompared.textures, run.atWave2.textures);
    EXPECT_GT(run.atWave2.lists, kVictimLists);  // the count found the game's lists
  }
};

// Declared first, so it finds the game on its first slide even when both run in one process.
TEST_F(Soak, SlidesThenTenWavesOfRandomPlayWithResizesStayBounded) {
  Player player(100);
  Played run;
  play(1200, player, run);  // the tenth wave comes at about frame 850
  if (HasFatalFailure()) return;
  EXPECT_TRUE(run.sawSlides);
  EXPECT_GE(player.resizes, kMinimiseEvery);
  expectBounded(run);
}

class SoakLong : public Soak {};

TEST_F(SoakLong, TwentyThousandFramesOfRandomPlayStayBounded) {
  Player player(700);
  Played run;
  play(20000, player, run);
  if (HasFatalFailure()) return;
  expectBounded(run);
}

}  // namespace
