// Dance pads through SDL's virtual joysticks on the real joystick subsystem,
// driven the way the game drives them: one KeyboardState::tick per frame.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "support/Files.h"
#include "support/GlTest.h"
#include "support/VirtualPad.h"

namespace {

const testfiles::TempDir configHome("dancepad-config");  // the player's config folder for the whole run

// Joystick buttons of the pad's arrows and Start.
constexpr int kLeftButton = 0, kDownButton = 1, kUpButton = 2, kRightButton = 3;
constexpr int kDownRightButton = 5, kUpLeftButton = 6, kUpRightButton = 7, kStartButton = 8;
// Pad buttons (square indices) and pad slots fed by them.
constexpr int kUpSquare = 1, kLeftSquare = 3, kCentreSquare = 4;
constexpr int kUpSlot = 3, kDownSlot = 7, kLeftSlot = 9;

using testpad::VirtualPad;

class DancePadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("XDG_CONFIG_HOME", configHome.path().c_str(), 1);  // no saved mappings
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // keeps virtual pads alive independently of the reader
    KeyboardState::instance().init();
  }

  void SetUp() override {
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
  }

  void TearDown() override {
    settle();
    pads().traceTransitions = false;
  }

  static void frame() {  // as the game's frame: the keyboard ticks and polls the pads, then the input is read
    KeyboardState::instance().tick(1 / 60.f);
    PadInput::instance().read(KeyboardState::instance());
  }
  static void settle() {  // lets pulled pads free their numbers and edges age out
    frame();
    frame();
  }
  static DancePad& pads() { return KeyboardState::instance().dancePad; }
  static const PadInput& input() { return PadInput::instance(); }

  static bool anySlotOn(int pad) {
    for (int slot = 0; slot < kPadSlots; ++slot)
      if (pads().current[pad][slot] || pads().previous[pad][slot]) return true;
    return false;
  }
  // Which pad numbers have the slot on in their latest read.
  static std::vector<int> padsWithSlotOn(int slot) {
    std::vector<int> on;
    for (int pad = 0; pad < kMaxPads; ++pad)
      if (pads().current[pad][slot]) on.push_back(pad);
    return on;
  }
};

TEST_F(DancePadTest, NoPadLeavesEverySlotOffAndOtherPadsSilent) {
  KeyboardState& keys = KeyboardState::instance();
  keys.onKeyDown('q', 0, 0);
  keys.onKeyDown('3', 0, 0);
  frame();
  for (int pad = 0; pad < kMaxPads; ++pad) EXPECT_FALSE(anySlotOn(pad)) << "pad " << pad;
  for (int pad = 1; pad < kMaxPads; ++pad) {
    for (int button = 0; button <= kButtonSelect; ++button) {
      EXPECT_FALSE(input().pressed(button, pad)) << "button " << button << " pad " << pad;
      EXPECT_FALSE(input().released(button, pad)) << "button " << button << " pad " << pad;
    }
  }
  EXPECT_TRUE(input().pressed(0, 0));  // the keyboard answers for pad 0 only
  EXPECT_TRUE(input().pressed(kButtonStart, 0));
  keys.onKeyUp('q', 0, 0);
  keys.onKeyUp('3', 0, 0);
}

TEST_F(DancePadTest, HeldButtonIsPressedInFirstFrameAndReleasedInOne) {
  VirtualPad pad;
  ASSERT_TRUE(pad.ok());
  frame();
  pad.set(kUpButton, true);
  int pressedFrames = 0, litFrames = 0;
  for (int i = 0; i < 5; ++i) {
    frame();
    if (input().pressed(kUpSquare, 0)) {
      EXPECT_EQ(i, 0) << "pressed after the first frame";
      ++pressedFrames;
    }
    litFrames += input().lit(kUpSquare);
    EXPECT_FALSE(input().released(kUpSquare, 0));
  }
  EXPECT_EQ(pressedFrames, 1);
  EXPECT_EQ(litFrames, 5);
  EXPECT_TRUE(pads().current[0][kUpSlot]);
  EXPECT_TRUE(pads().previous[0][kUpSlot]);

  pad.set(kUpButton, false);
  int releasedFrames = 0;
  for (int i = 0; i < 5; ++i) {
    frame();
    releasedFrames += input().released(kUpSquare, 0);
    EXPECT_FALSE(input().pressed(kUpSquare, 0));
    EXPECT_FALSE(input().lit(kUpSquare));
  }
  EXPECT_EQ(releasedFrames, 1);
}

TEST_F(DancePadTest, StartReportsStartAndCentreTogether) {
  VirtualPad pad;
  ASSERT_TRUE(pad.ok());
  frame();
  pad.set(kStartButton, true);
  frame();
  EXPECT_TRUE(input().pressed(kButtonStart, 0));
  EXPECT_TRUE(input().pressed(kCentreSquare, 0));
  EXPECT_TRUE(input().lit(kButtonStart));
  EXPECT_TRUE(input().lit(kCentreSquare));
  EXPECT_FALSE(input().pressed(kButtonSelect, 0));
  pad.set(kStartButton, false);
  frame();
  EXPECT_TRUE(input().released(kButtonStart, 0));
  EXPECT_TRUE(input().released(kCentreSquare, 0));
}

TEST_F(DancePadTest, ButtonsBeyondTheDeviceReadOff) {
  VirtualPad pad({.buttons = 4});  // buttons 0..3: the four arrows, no diagonals, Start or Select
  ASSERT_TRUE(pad.ok());
  pad.set(kUpButton, true);
  frame();
  EXPECT_TRUE(pads().current[0][kUpSlot]);
  EXPECT_EQ(padsWithSlotOn(0), std::vector<int>{});  // Start, button 8
  EXPECT_EQ(padsWithSlotOn(1), std::vector<int>{});  // Select, button 9
}

TEST_F(DancePadTest, FivePadsUseTheFirstFourUntilANumberIsFree) {
  // Pad k holds a button of its own, so every slot tells which device feeds it.
  const int held[5] = {kUpLeftButton, kUpButton, kUpRightButton, kRightButton, kDownRightButton};
  const int slotOf[5] = {2, 3, 4, 5, 6};
  std::vector<VirtualPad> devices(5);
  for (int k = 0; k < 5; ++k) {
    ASSERT_TRUE(devices[k].ok());
    devices[k].set(held[k], true);
  }
  frame();
  for (int k = 0; k < 4; ++k) EXPECT_EQ(padsWithSlotOn(slotOf[k]), std::vector<int>{k}) << "device " << k;
  EXPECT_EQ(padsWithSlotOn(slotOf[4]), std::vector<int>{});

  devices[1].detach();
  frame();  // pad 1 reads empty for one frame: its Up is released exactly here
  for (int slot = 0; slot < kPadSlots; ++slot) EXPECT_FALSE(pads().current[1][slot]) << "slot " << slot;
  EXPECT_TRUE(input().released(kUpSquare, 1));
  EXPECT_EQ(padsWithSlotOn(slotOf[4]), std::vector<int>{});

  frame();  // the waiting fifth pad takes the freed number
  EXPECT_EQ(padsWithSlotOn(slotOf[4]), std::vector<int>{1});
  EXPECT_FALSE(input().released(kUpSquare, 1));
  for (int k : {0, 2, 3}) EXPECT_EQ(padsWithSlotOn(slotOf[k]), std::vector<int>{k}) << "device " << k;
}

TEST_F(DancePadTest, PulledPadReleasesItsHeldArrowOnce) {
  VirtualPad pad;
  ASSERT_TRUE(pad.ok());
  pad.set(kLeftButton, true);
  frame();
  EXPECT_TRUE(input().pressed(kLeftSquare, 0));
  frame();
  pad.detach();
  int releasedFrames = 0;
  for (int i = 0; i < 5; ++i) {
    frame();
    releasedFrames += input().released(kLeftSquare, 0);
    EXPECT_FALSE(input().lit(kLeftSquare));
    EXPECT_FALSE(pads().current[0][kLeftSlot]);
  }
  EXPECT_EQ(releasedFrames, 1);
}

TEST_F(DancePadTest, PadPluggedInMidRunTakesLowestFreeNumberAtNextPoll) {
  auto first = std::make_unique<VirtualPad>();
  VirtualPad second;
  ASSERT_TRUE(first->ok() && second.ok());
  second.set(kUpButton, true);
  frame();
  EXPECT_EQ(padsWithSlotOn(kUpSlot), std::vector<int>{1});
  first.reset();  // pulled: number 0 is free again
  frame();
  frame();

  VirtualPad late;
  ASSERT_TRUE(late.ok());
  late.set(kDownButton, true);  // already held when plugged in
  late.letGo();
  frame();
  EXPECT_EQ(padsWithSlotOn(kDownSlot), std::vector<int>{0});
  EXPECT_TRUE(input().pressed(7, 0));
  EXPECT_EQ(padsWithSlotOn(kUpSlot), std::vector<int>{1});
}

// The device reports each change as it happens (deviceReads), and the game
// polls only once afterwards: the taps must not be lost.
TEST_F(DancePadTest, TapsBetweenTwoFramesArePressedOnceAndReleasedOnce) {
  VirtualPad pad({.buttons = 10, .hats = 1});
  ASSERT_TRUE(pad.ok());
  frame();
  struct Edges {
    std::vector<int> pressed, released;  // frame numbers
  };
  auto watch = [](int square, int frames) {
    Edges e;
    for (int i = 0; i < frames; ++i) {
      frame();
      if (input().pressed(square, 0)) e.pressed.push_back(i);
      if (input().released(square, 0)) e.released.push_back(i);
      EXPECT_FALSE(input().pressed(square, 0) && input().released(square, 0)) << "frame " << i;
    }
    return e;
  };

  pad.set(kUpButton, true);  // one tap
  VirtualPad::deviceReads();
  pad.set(kUpButton, false);
  Edges tap = watch(kUpSquare, 4);
  EXPECT_EQ(tap.pressed, std::vector<int>{0});
  EXPECT_EQ(tap.released, std::vector<int>{1});

  for (int i = 0; i < 2; ++i) {  // two taps of one square between the same two frames
    pad.set(kLeftButton, true);
    VirtualPad::deviceReads();
    pad.set(kLeftButton, false);
    VirtualPad::deviceReads();
  }
  Edges twice = watch(kLeftSquare, 6);
  EXPECT_EQ(twice.pressed, (std::vector<int>{0, 2}));
  EXPECT_EQ(twice.released, (std::vector<int>{1, 3}));

  pad.setHat(0, SDL_HAT_UP);  // a hat tap, with the button already up again
  VirtualPad::deviceReads();
  pad.setHat(0, SDL_HAT_CENTERED);
  Edges hatTap = watch(kUpSquare, 4);
  EXPECT_EQ(hatTap.pressed, std::vector<int>{0});
  EXPECT_EQ(hatTap.released, std::vector<int>{1});
  EXPECT_FALSE(input().lit(kUpSquare));
}

TEST_F(DancePadTest, OpeningAPadTracesItsNameAndMapping) {
  testing::internal::CaptureStdout();
  VirtualPad pad({.name = "Stomp Mat", .buttons = 12, .hats = 1, .axes = 2});
  ASSERT_TRUE(pad.ok());
  frame();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "\nPad 0: opened \"Stomp Mat\" (buttons 12, hats 1, axes 2, GUID " + pad.guid() +
                     ")\nPad 0: default mapping");
}

TEST_F(DancePadTest, TracePrintsEverySlotChange) {
  VirtualPad first, second;
  ASSERT_TRUE(first.ok() && second.ok());
  frame();
  pads().traceTransitions = true;

  testing::internal::CaptureStdout();
  first.set(kLeftButton, true);
  second.set(kStartButton, true);
  frame();
  frame();  // nothing changes: nothing printed
  first.set(kLeftButton, false);
  frame();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nPad 0: Left on\nPad 1: Start on\nPad 0: Left off");

  pads().traceTransitions = false;
  testing::internal::CaptureStdout();
  second.set(kStartButton, false);
  frame();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(ButtonName, NamesTheTenSlotsOnly) {
  const char* names[kPadSlots] = {"Start", "Select", "UpLeft", "Up", "UpRight",
                                  "Right", "DownRight", "Down", "DownLeft", "Left"};
  for (int slot = 0; slot < kPadSlots; ++slot) EXPECT_STREQ(buttonName(slot), names[slot]);
  EXPECT_STREQ(buttonName(-1), "");
  EXPECT_STREQ(buttonName(kPadSlots), "");
}

}  // namespace
