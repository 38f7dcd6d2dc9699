// Game controllers as SDL's virtual joysticks, through the dance pad reader: a
// controller SDL knows plays with its layout and no setup, a saved mapping
// still wins, and the player's own mappings file makes any pad a controller.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "input/PadInput.h"
#include "support/Files.h"
#include "support/VirtualPad.h"

namespace {

constexpr int kUpSquare = 1, kLeftSquare = 3, kRightSquare = 5, kDownLeftSquare = 6, kDownSquare = 7;
// SDL lays its virtual controllers out in its own order: buttons A, B, X, Y,
// Back, Guide, Start, the sticks, the shoulders, then the d-pad's up, down,
// left and right; the left stick on axes 0 and 1.
constexpr int kButtonA = 0, kDpadUp = 11;
const testpad::PadKind kController{.buttons = 15, .axes = 6, .product = 0xc1, .type = SDL_JOYSTICK_TYPE_GAMECONTROLLER};

class ControllerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER); }  // keeps virtual pads alive
  void SetUp() override { setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1); }
  // Opens the pads as the game does at start; true if the trace names the mapping.
  bool opensWith(const std::string& mapping) {
    testing::internal::CaptureStdout();
    pads_.open();
    return testing::internal::GetCapturedStdout().find("Pad 0: " + mapping) != std::string::npos;
  }
  // Whether the change, seen at the next poll, presses the square; undone after.
  bool stomps(int square, const std::function<void(bool on)>& change) {
    bool pressed = false;
    for (bool on : {true, false}) {
      change(on);
      pads_.poll();
      pressed = pressed || padFrameOf(pads_).pressed(square, 0);
    }
    return pressed;
  }

  testfiles::TempDir config_{"controller-config"};
  DancePad pads_;
};

TEST_F(ControllerTest, EveryDpadDirectionStompsItsSquareWithNoSetup) {
  testpad::VirtualPad pad(kController);
  EXPECT_TRUE(opensWith("controller layout"));
  const int squares[4] = {kUpSquare, kDownSquare, kLeftSquare, kRightSquare};  // in the d-pad's order
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(stomps(squares[i], [&](bool on) { pad.set(kDpadUp + i, on); })) << i;
  EXPECT_TRUE(stomps(kDownLeftSquare, [&](bool on) { pad.set(kButtonA, on); }));
  EXPECT_TRUE(stomps(kLeftSquare, [&](bool on) { pad.setAxis(0, on ? -32768 : 0); })) << "the left stick";
}

TEST_F(ControllerTest, ASavedMappingWinsOverTheLayout) {
  testpad::VirtualPad pad(kController);
  std::string mapping = "[";  // built in steps: g++ 12 at -O2 misreads a chain of + as overflowing
  mapping += pad.guid();
  mapping += "]\nUp = button 0\n";
  testfiles::writeText(config_ / "stompalong/pads.txt", mapping);
  EXPECT_TRUE(opensWith("saved mapping"));
  EXPECT_TRUE(stomps(kUpSquare, [&](bool on) { pad.set(kButtonA, on); }));
  EXPECT_FALSE(stomps(kUpSquare, [&](bool on) { pad.set(kDpadUp, on); }));
}

TEST_F(ControllerTest, ThePlayersMappingsFileMakesAnyPadAController) {
  testpad::VirtualPad pad({.hats = 1, .axes = 1, .product = 0xc2});  // a dance pad, unknown to SDL
  std::string line = pad.guid() + ",Mat,dpup:h0.1,leftx:a0~,platform:Linux,\n";
  testfiles::writeText(config_ / "stompalong/gamecontrollerdb.txt", line);
  EXPECT_TRUE(opensWith("controller layout"));
  EXPECT_TRUE(stomps(kUpSquare, [&](bool on) { pad.setHat(0, on ? SDL_HAT_UP : SDL_HAT_CENTERED); }));
  EXPECT_TRUE(stomps(kLeftSquare, [&](bool on) { pad.setAxis(0, on ? 32767 : 0); })) << "an axis turned over";
}

}  // namespace
