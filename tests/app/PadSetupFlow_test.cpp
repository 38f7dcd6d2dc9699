// The pad setup as a screen of the real game, brought up from ./res/ in the
// test's window with a virtual pad plugged in: opened from a slide by Select
// held two seconds or by F2, left by Escape, F2 or the last step, and the
// slides back on the picture they showed.
#include <GL/freeglut.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/App.h"
#include "input/KeyboardState.h"
#include "support/Files.h"
#include "support/GlTest.h"
#include "support/VirtualPad.h"

namespace {

const testfiles::TempDir configHome("setupflow-config");  // the player's config folder for the whole run

constexpr float kFrame = 0.125f;
constexpr int kSelectButton = 9, kStartButton = 8;
constexpr unsigned char kEscape = 27, kStartKey = '3';

class PadSetupFlow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("XDG_CONFIG_HOME", configHome.path().c_str(), 1);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    App::instance().init();
  }

  void SetUp() override {
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
  }

  static void update(int frames = 1) {
    for (int i = 0; i < frames; ++i) App::instance().update(kFrame);
  }
  static void key(unsigned char k) {
    KeyboardState::instance().onKeyDown(k, 0, 0);
    update();
    KeyboardState::instance().onKeyUp(k, 0, 0);
    update();
  }
  static void f2() {
    KeyboardState::instance().onSpecialDown(GLUT_KEY_F2, 0, 0);
    KeyboardState::instance().onSpecialUp(GLUT_KEY_F2, 0, 0);
    update();
  }
  static ScreenId screen() { return App::instance().screen(); }
};

TEST_F(PadSetupFlow, OpenedFromASlideAndLeftBackOnTheSameSlide) {
  testpad::VirtualPad pad;
  ASSERT_TRUE(pad.ok());
  update();
  key(kStartKey);
  ASSERT_EQ(screen(), ScreenId::Slides);
  ASSERT_EQ(App::instance().slides().slideshow().currentIndex(), 1);

  pad.set(kSelectButton, true);
  update(15);  // 1.875 s
  EXPECT_EQ(screen(), ScreenId::Slides);
  update();
  ASSERT_EQ(screen(), ScreenId::PadSetup) << "Select held two seconds";
  EXPECT_EQ(App::instance().padSetup().pad(), 0);
  testgl::DrawCheck check;
  App::instance().render();
  EXPECT_TRUE(check.clean());

  key(kEscape);
  EXPECT_EQ(screen(), ScreenId::Slides) << "Escape cancels, it does not quit";
  EXPECT_EQ(App::instance().padSetup().state(), PadSetup::State::Cancelled);
  update(40);  // Select still held: no second opening until it is let go
  EXPECT_EQ(screen(), ScreenId::Slides);
  pad.set(kSelectButton, false);
  update();

  f2();
  ASSERT_EQ(screen(), ScreenId::PadSetup) << "F2 opens it for pad 0";
  f2();
  EXPECT_EQ(screen(), ScreenId::Slides) << "and F2 again cancels";

  f2();
  auto frame = [](float) { update(); };  // the game's own frames
  const PadSetup& setup = App::instance().padSetup();
  testpad::answerSetup(pad, setup, std::vector<int>(8, testpad::kSkip), frame);  // every arrow and diagonal times out
  ASSERT_EQ(setup.slot(), kSlotStart);
  testpad::answerSetup(pad, setup, {kStartButton, kSelectButton}, frame);
  EXPECT_EQ(screen(), ScreenId::Slides);
  EXPECT_EQ(App::instance().padSetup().state(), PadSetup::State::Saved);
  EXPECT_EQ(App::instance().slides().slideshow().currentIndex(), 1) << "Start stepped on during the setup is not a slide step";
  pad.set(kStartButton, true);
  update();
  EXPECT_EQ(App::instance().slides().slideshow().currentIndex(), 2) << "on the slides, Start steps again";
}

}  // namespace
