// Dance pads of the kinds sold, as SDL virtual joysticks, playing the real
// game world through the game's pad reader: a walker waits on every square,
// the player steps on an arrow, and the walker on the matching square (under
// the current view) is the one squashed. Pads whose arrows are a hat, two axes
// or the classic button order play with no setup; a pad with its arrows on
// buttons 12 to 15 plays once the pad setup has been stepped through.
#include <functional>
#include <set>

#include "game/WorldFixture.h"
#include "input/PadInput.h"
#include "input/PadSetup.h"
#include "support/Files.h"
#include "support/VirtualPad.h"

namespace worldtest {
namespace {

const testfiles::TempDir configHome("padstomp-config");  // the player's config folder for the whole run

using testpad::VirtualPad;
using Squares = std::set<int>;

constexpr int kArrowSlots[] = {kSlotUpLeft, kSlotUp,       kSlotUpRight, kSlotRight,
                               kSlotDownRight, kSlotDown, kSlotDownLeft, kSlotLeft};

class PadStompTest : public WorldTest {
 protected:
  static void SetUpTestSuite() {
    WorldTest::SetUpTestSuite();
    setenv("XDG_CONFIG_HOME", configHome.path().c_str(), 1);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // virtual pads outlive the reader's view of them
  }

  void SetUp() override {
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
    WorldTest::SetUp();
    keys.init();  // the test's keyboard state reads the pads, as the game's does
  }

  void TearDown() override {
    WorldTest::TearDown();
    frame();  // pads pulled by the test free their numbers
    frame();
  }

  // The square a press of the pad slot should stomp under the current view.
  int squareOfSlot(int slot) const {
    for (int button = 0; button < kSquareCount; ++button)
      if (PadInput::padSlotOf(button) == slot) return world.squareForButton(button);
    return -1;
  }

  // A fresh walker on every square whose walker is gone, then the step: the
  // squares whose walker it squashed.
  Squares stomped(const std::function<void()>& stepOn, const std::function<void()>& stepOff) {
    for (int square = 0; square < kSquareCount; ++square) {
      if (walkers_[square] && walkers_[square]->state() == Victim::Walking) continue;
      Vec3 centre = world.squares()[square].centre();
      walkers_[square] = addWalker(centre.x, centre.y);
    }
    stepOn();
    frame();
    stepOff();
    frame();
    Squares squashed;
    for (int square = 0; square < kSquareCount; ++square)
      if (walkers_[square]->state() == Victim::Squashed) squashed.insert(square);
    return squashed;
  }

  Victim* walkers_[kSquareCount] = {};
};

TEST_F(PadStompTest, ButtonsInTheClassicOrderStompEveryArrowWithNoSetup) {
  VirtualPad pad({.name = "Classic Pad", .buttons = 10, .product = 0x0101});
  ASSERT_TRUE(pad.ok());
  frame();
  const PadMapping defaults = PadMapping::defaults();
  for (int slot : kArrowSlots) {
    int button = defaults.slots[slot][0].index;
    Squares squashed = stomped([&] { pad.set(button, true); }, [&] { pad.set(button, false); });
    EXPECT_EQ(squashed, Squares{squareOfSlot(slot)}) << buttonName(slot) << " on button " << button;
  }
}

TEST_F(PadStompTest, AHatOnlyPadStompsTheFourArrowsAndADiagonalStompsTwo) {
  VirtualPad pad({.name = "Hat Pad", .buttons = 0, .hats = 1, .product = 0x0102});
  ASSERT_TRUE(pad.ok());
  frame();
  struct Step {
    Uint8 hat;
    Squares squares;
  };
  const Step steps[] = {
      {SDL_HAT_UP, {squareOfSlot(kSlotUp)}},
      {SDL_HAT_RIGHT, {squareOfSlot(kSlotRight)}},
      {SDL_HAT_DOWN, {squareOfSlot(kSlotDown)}},
      {SDL_HAT_LEFT, {squareOfSlot(kSlotLeft)}},
      {SDL_HAT_LEFTDOWN, {squareOfSlot(kSlotLeft), squareOfSlot(kSlotDown)}},
  };
  for (const Step& step : steps) {
    Squares squashed = stomped([&] { pad.setHat(0, step.hat); }, [&] { pad.setHat(0, SDL_HAT_CENTERED); });
    EXPECT_EQ(squashed, step.squares) << "hat " << int(step.hat);
  }
}

TEST_F(PadStompTest, ATwoAxisPadStompsPastHalfwayOnly) {
  VirtualPad pad({.name = "Axis Pad", .buttons = 0, .axes = 2, .product = 0x0103});
  ASSERT_TRUE(pad.ok());
  frame();
  struct Step {
    Sint16 x, y;
    Squares squares;
  };
  const Step steps[] = {
      {0, -32768, {squareOfSlot(kSlotUp)}},
      {32767, 0, {squareOfSlot(kSlotRight)}},
      {0, 16384, {squareOfSlot(kSlotDown)}},  // just past half
      {-16384, 0, {squareOfSlot(kSlotLeft)}},
      {-16383, 16383, {}},                    // just short of half: nothing
      {32767, -32768, {squareOfSlot(kSlotRight), squareOfSlot(kSlotUp)}},
  };
  for (const Step& step : steps) {
    auto set = [&](Sint16 x, Sint16 y) {
      pad.setAxis(0, x);
      pad.setAxis(1, y);
    };
    Squares squashed = stomped([&] { set(step.x, step.y); }, [&] { set(0, 0); });
    EXPECT_EQ(squashed, step.squares) << "axes " << step.x << ", " << step.y;
  }
}

TEST_F(PadStompTest, APadWithArrowsOnButtons12To15StompsAfterTheSetup) {
  VirtualPad pad(testpad::kOddPad);
  ASSERT_TRUE(pad.ok());
  frame();
  using namespace testpad::oddpad;  // its buttons
  const std::pair<int, int> arrows[] = {{kSlotUp, kUp}, {kSlotRight, kRight}, {kSlotDown, kDown}, {kSlotLeft, kLeft}};
  for (auto [slot, button] : arrows)
    EXPECT_EQ(stomped([&] { pad.set(button, true); }, [&] { pad.set(button, false); }), Squares{})
        << "before the setup, " << buttonName(slot);

  PadSetup setup;
  setup.begin(keys.dancePad, 0);
  testpad::answerSetup(pad, setup, testpad::kOddPadAnswers, [&](float dt) {
    keys.tick(dt);
    setup.update(dt);
  });
  ASSERT_EQ(setup.state(), PadSetup::State::Saved);
  frame();

  for (auto [slot, button] : arrows) {
    Squares squashed = stomped([&] { pad.set(button, true); }, [&] { pad.set(button, false); });
    EXPECT_EQ(squashed, Squares{squareOfSlot(slot)}) << buttonName(slot) << " on button " << button;
  }
}

}  // namespace
}  // namespace worldtest
