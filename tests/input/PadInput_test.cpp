// Pad buttons answered from the keyboard (no dance pad is opened here), and the
// button-to-slot and button-to-key tables.
#include <gtest/gtest.h>

#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "support/GlTest.h"  // the keyboard state asks GLUT for the modifiers, which needs its window

namespace {

// A keyboard and pad input of the test's own, read once per frame as the game does.
class PadInputKeys : public ::testing::Test {
 protected:
  KeyboardState& keys() { return keyboard_; }
  const PadInput& input() const { return input_; }
  void frame() {
    keyboard_.tick(1 / 60.f);
    input_.read(keyboard_);
  }

 private:
  KeyboardState keyboard_;
  PadInput input_;
};

TEST_F(PadInputKeys, QIsPressedForOneFrameAndLitWhileHeld) {
  keys().onKeyDown('q', 0, 0);
  frame();
  EXPECT_TRUE(input().pressed(0, 0));
  EXPECT_TRUE(input().lit(0));
  for (int button = 1; button <= kButtonSelect; ++button) {
    EXPECT_FALSE(input().pressed(button, 0)) << button;
    EXPECT_FALSE(input().lit(button)) << button;
  }
  for (int i = 0; i < 3; ++i) {
    frame();
    EXPECT_FALSE(input().pressed(0, 0));
    EXPECT_TRUE(input().lit(0));
  }
  keys().onKeyUp('q', 0, 0);
  frame();
  EXPECT_TRUE(input().released(0, 0));
  EXPECT_FALSE(input().lit(0));
  frame();
  EXPECT_FALSE(input().released(0, 0));
}

TEST_F(PadInputKeys, ThreeIsStartAndOneIsSelect) {
  keys().onKeyDown('3', 0, 0);
  frame();
  EXPECT_TRUE(input().pressed(kButtonStart, 0));
  EXPECT_FALSE(input().pressed(kButtonSelect, 0));
  EXPECT_FALSE(input().pressed(4, 0));  // the centre shares Start's pad slot, not its key
  keys().onKeyDown('1', 0, 0);
  frame();
  EXPECT_FALSE(input().pressed(kButtonStart, 0));
  EXPECT_TRUE(input().pressed(kButtonSelect, 0));
  EXPECT_TRUE(input().lit(kButtonStart));
  EXPECT_TRUE(input().lit(kButtonSelect));
}

TEST_F(PadInputKeys, OnlyPadZeroListensToTheKeyboard) {
  keys().onKeyDown('d', 0, 0);
  frame();
  EXPECT_TRUE(input().pressed(5, 0));
  for (int pad : {1, 2, 3, -1, 4}) EXPECT_FALSE(input().pressed(5, pad)) << "pad " << pad;
  keys().onKeyUp('d', 0, 0);
  frame();
  EXPECT_TRUE(input().released(5, 0));
  for (int pad : {1, 2, 3, -1, 4}) EXPECT_FALSE(input().released(5, pad)) << "pad " << pad;
}

TEST(PadInputTables, EveryButtonHasItsSlotAndKey) {
  const int slots[] = {2, 3, 4, 9, 0, 5, 8, 7, 6, 0, 1};
  const unsigned char keyCodes[] = {'q', 'w', 'e', 'a', 0, 'd', 'z', 'x', 'c', '3', '1'};
  for (int button = 0; button <= kButtonSelect; ++button) {
    EXPECT_EQ(PadInput::padSlotOf(button), slots[button]) << button;
    EXPECT_EQ(PadInput::keyOf(button), keyCodes[button]) << button;
  }
  for (int outside : {-1, 11, 1000}) {
    EXPECT_EQ(PadInput::padSlotOf(outside), 0) << outside;
    EXPECT_EQ(PadInput::keyOf(outside), 0) << outside;
  }
}

}  // namespace
