// A party through the real game's screens, from ./res/ in the test's window:
// a second pad's Start on the frame player 1 steps a slide joins once and the
// slide steps once, the navigation keys join with Insert, a round runs out on
// the results, and Start on a joined pad begins the next.
#include <GL/freeglut.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/App.h"
#include "game/StompWorld.h"
#include "input/KeyboardState.h"
#include "support/Files.h"
#include "support/GlTest.h"
#include "support/VirtualPad.h"

namespace {

const testfiles::TempDir configHome("partyflow-config");  // no saved mappings
constexpr float kFrame = 0.125f;                          // the longest step the game takes
constexpr int kStartButton = 8;                           // of the default table

void update(int frames = 1) {
  for (int i = 0; i < frames; ++i) App::instance().update(kFrame);
}
int slide() { return App::instance().slides().slideshow().currentIndex(); }
const Party& party() { return StompWorld::instance().party(); }

TEST(PartyFlow, JoinOnTheSlidesPlayARoundAndStartTheNext) {
  setenv("XDG_CONFIG_HOME", configHome.path().c_str(), 1);
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
  testpad::VirtualPad first, second({.product = 0x0002});
  App::instance().init();
  StompWorld::instance().setRoundSeconds(StompWorld::kMinRoundSeconds);
  KeyboardState& keys = KeyboardState::instance();
  update();

  second.set(kStartButton, true);
  keys.onKeyDown('3', 0, 0);
  update();
  EXPECT_EQ(party().players().size(), 2u) << "the second pad's Start joins";
  EXPECT_EQ(slide(), 1) << "and player 1's Start steps once";
  second.set(kStartButton, false);
  keys.onKeyUp('3', 0, 0);
  update();

  keys.onSpecialDown(GLUT_KEY_INSERT, 0, 0);
  update();
  keys.onSpecialUp(GLUT_KEY_INSERT, 0, 0);
  update();
  EXPECT_EQ(party().players().size(), 3u) << "Insert joins the navigation keys";
  EXPECT_EQ(slide(), 1) << "a press that joins steps nothing";

  while (App::instance().screen() == ScreenId::Slides) {
    second.set(kStartButton, true);  // a joined pad's Start steps the slides
    update();
    second.set(kStartButton, false);
    update();
  }
  ASSERT_EQ(App::instance().screen(), ScreenId::Game);
  update(static_cast<int>(StompWorld::kMinRoundSeconds / kFrame) - 2);
  EXPECT_EQ(App::instance().screen(), ScreenId::Game);
  update(3);
  ASSERT_EQ(App::instance().screen(), ScreenId::Results) << "the round ran out";
  testgl::DrawCheck check;
  App::instance().render();
  EXPECT_TRUE(check.clean());

  second.set(kStartButton, true);
  update();
  EXPECT_EQ(App::instance().screen(), ScreenId::Game) << "Start on a joined pad begins the next round";
  EXPECT_FLOAT_EQ(StompWorld::instance().roundSecondsLeft(), StompWorld::kMinRoundSeconds);
}

}  // namespace
