// Game controllers: SDL's mapping strings read as pad mappings, and SDL's
// virtual controllers played through the dance pad reader with no setup, a
// saved mapping still winning, and the player's own controller mappings file.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "input/ControllerLayout.h"
#include "input/FrameInput.h"
#include "input/PadInput.h"
#include "support/Files.h"
#include "support/VirtualPad.h"

namespace {

using testpad::PadKind;
using testpad::VirtualPad;

// Pad buttons (squares) of the arrows and a corner.
constexpr int kUpSquare = 1, kLeftSquare = 3, kRightSquare = 5, kDownSquare = 7, kDownLeftSquare = 6;
// SDL's virtual controller: its buttons in SDL's order (A, B, X, Y, Back, Guide,
// Start, the sticks, the shoulders, then the d-pad's up, down, left, right).
constexpr int kButtonA = 0, kDpadUp = 11;
const PadKind kController{.name = "Test Controller", .buttons = 15, .axes = 6, .product = 0x0c01,
                          .type = SDL_JOYSTICK_TYPE_GAMECONTROLLER};

class ControllerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER); }  // keeps virtual pads alive
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
  }
  // Opens the pads, as the game does at start; what the reader traced.
  std::string open() {
    testing::internal::CaptureStdout();
    pads_.open();
    return testing::internal::GetCapturedStdout();
  }
  bool pressedAfter(const std::function<void()>& change) {
    change();
    pads_.poll();
    return padFrameOf(pads_).pressed(square_, 0);
  }
  // Whether a press of the raw button stomps the square.
  bool stomps(VirtualPad& pad, int button, int square) {
    square_ = square;
    bool pressed = pressedAfter([&] { pad.set(button, true); });
    pressedAfter([&] { pad.set(button, false); });
    return pressed;
  }
  void write(const char* file, const std::string& text) { testfiles::writeText(config_.path() / "stompalong" / file, text); }

  testfiles::TempDir config_{"controller-config"};
  DancePad pads_;
  int square_ = 0;
};

TEST(ControllerLayout, ReadsButtonsHatsAndAxesOfSdlMappingStrings) {
  std::optional<PadMapping> layout = controllerLayout(
      "03000000aa0000000100000000000000,Pad,a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,guide:b8,dpup:h0.1,dpdown:h0.4,"
      "dpleft:-a6,dpright:+a6,leftx:a0,lefty:a1~,rightx:a3,platform:Linux,");
  PadMapping expected;
  using In = PadInputId;
  expected.slots[kSlotUp] = {In::hat(0, In::kHatUp), In::axis(1, +1)};  // lefty is upside down
  expected.slots[kSlotDown] = {In::hat(0, In::kHatDown), In::axis(1, -1)};
  expected.slots[kSlotLeft] = {In::axis(6, -1), In::axis(0, -1)};
  expected.slots[kSlotRight] = {In::axis(6, +1), In::axis(0, +1)};
  expected.slots[kSlotDownLeft] = {In::button(0)};
  expected.slots[kSlotDownRight] = {In::button(1)};
  expected.slots[kSlotUpLeft] = {In::button(2)};
  expected.slots[kSlotUpRight] = {In::button(3)};
  expected.slots[kSlotSelect] = {In::button(6)};
  expected.slots[kSlotStart] = {In::button(7)};
  EXPECT_EQ(layout, expected);
  EXPECT_EQ(controllerLayout("03000000aa0000000100000000000000,Wheel,guide:b8,rightx:a3"), std::nullopt);
}

TEST_F(ControllerTest, EveryDpadDirectionStompsItsSquareWithNoSetup) {
  VirtualPad pad(kController);
  ASSERT_TRUE(pad.ok());
  EXPECT_NE(open().find("Pad 0: controller layout"), std::string::npos);
  const int squares[4] = {kUpSquare, kDownSquare, kLeftSquare, kRightSquare};  // the d-pad's order
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(stomps(pad, kDpadUp + i, squares[i])) << "d-pad " << i;
  EXPECT_TRUE(stomps(pad, kButtonA, kDownLeftSquare));
  square_ = kLeftSquare;
  EXPECT_TRUE(pressedAfter([&] { pad.setAxis(0, -32768); })) << "the left stick";
}

TEST_F(ControllerTest, ASavedMappingWinsOverTheLayout) {
  VirtualPad pad(kController);
  ASSERT_TRUE(pad.ok());
  write("pads.txt", "[" + pad.guid() + "]\nUp = button 0\n");
  EXPECT_NE(open().find("Pad 0: saved mapping"), std::string::npos);
  EXPECT_TRUE(stomps(pad, kButtonA, kUpSquare));
  EXPECT_FALSE(stomps(pad, kDpadUp, kUpSquare));
}

TEST_F(ControllerTest, ThePlayersMappingsFileMakesAPadAController) {
  VirtualPad pad({.name = "Mat Adapter", .buttons = 12, .product = 0x0c02});  // no layout SDL knows
  ASSERT_TRUE(pad.ok());
  write("gamecontrollerdb.txt", pad.guid() + ",Mat Adapter,dpup:b11,platform:Linux,\n");
  EXPECT_NE(open().find("Pad 0: controller layout"), std::string::npos);
  EXPECT_TRUE(stomps(pad, 11, kUpSquare));
}

}  // namespace
