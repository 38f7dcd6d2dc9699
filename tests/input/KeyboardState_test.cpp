// Keyboard and mouse edges as the frame loop sees them: events between two
// ticks, then one tick per frame. Every press and release reaches exactly one
// update, however quick the tap and however short the frame. No dance pad is
// opened here.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "input/KeyboardState.h"
#include "support/GlTest.h"  // the keyboard state asks GLUT for the modifiers, which needs its window

namespace {

constexpr float kFrame = 1 / 60.f;

struct KeyEdges {
  bool held, pressed, released;
  bool operator==(const KeyEdges&) const = default;
};

KeyEdges edgesOf(const KeyboardState& keys, unsigned char key) {
  return {keys.keyHeld(key), keys.keyPressed(key), keys.keyReleased(key)};
}

std::ostream& operator<<(std::ostream& out, const KeyEdges& e) {
  return out << "{held " << e.held << ", pressed " << e.pressed << ", released " << e.released << "}";
}

TEST(KeyboardState, ATapBetweenTwoFramesIsOnePressAndOneRelease) {
  KeyboardState keys;
  keys.onKeyDown('q', 0, 0);
  keys.onKeyUp('q', 0, 0);
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'q'), (KeyEdges{false, true, true}));
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'q'), (KeyEdges{false, false, false}));
}

// A release and a new press between two frames, or two taps: each edge gets
// an update of its own, in order, so no press is hidden behind another edge.
TEST(KeyboardState, EdgesThatWouldHideEachOtherWaitForTheNextFrame) {
  KeyboardState keys;
  keys.onKeyDown('w', 0, 0);
  keys.tick(kFrame);
  keys.onKeyUp('w', 0, 0);
  keys.onKeyDown('w', 0, 0);
  keys.onKeyDown('e', 0, 0);
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'w'), (KeyEdges{false, false, true}));
  EXPECT_EQ(edgesOf(keys, 'e'), (KeyEdges{true, true, false}));  // other keys are not held back
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'w'), (KeyEdges{true, true, false}));

  keys.onKeyUp('w', 0, 0);
  for (int tap = 0; tap < 2; ++tap) {
    keys.onKeyDown('x', 0, 0);
    keys.onKeyUp('x', 0, 0);
  }
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'x'), (KeyEdges{false, true, true}));
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'x'), (KeyEdges{false, true, true}));
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'x'), (KeyEdges{false, false, false}));
}

// Caps Lock or Shift turn "q" into "Q"; the key still answers, and a key
// pressed with Shift and released without it is released.
TEST(KeyboardState, LettersAnswerInEitherCase) {
  KeyboardState keys;
  keys.onKeyDown('Q', 0, 0);
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'q'), (KeyEdges{true, true, false}));
  keys.onKeyUp('q', 0, 0);
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'Q'), (KeyEdges{false, false, true}));
}

TEST(KeyboardState, HeldKeyIsPressedInOneFrameAndHeldInAll) {
  KeyboardState keys;
  keys.onKeyDown('w', 0, 0);
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'w'), (KeyEdges{true, true, false}));
  for (int frame = 0; frame < 10; ++frame) {
    keys.tick(kFrame);
    EXPECT_EQ(edgesOf(keys, 'w'), (KeyEdges{true, false, false})) << "frame " << frame;
  }
  keys.onKeyUp('w', 0, 0);
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'w'), (KeyEdges{false, false, true}));
  keys.tick(kFrame);
  EXPECT_EQ(edgesOf(keys, 'w'), (KeyEdges{false, false, false}));
  EXPECT_EQ(edgesOf(keys, 'e'), (KeyEdges{false, false, false}));  // other keys untouched
}

TEST(KeyboardState, KeysAbove127AreIgnored) {
  KeyboardState keys;
  for (int code = 128; code < 256; ++code) keys.onKeyDown(static_cast<unsigned char>(code), 0, 0);
  keys.tick(kFrame);
  for (int code = 0; code < 256; ++code) {
    auto key = static_cast<unsigned char>(code);
    EXPECT_EQ(edgesOf(keys, key), (KeyEdges{false, false, false})) << "key " << code;
  }
  keys.onKeyUp(200, 0, 0);
  keys.tick(kFrame);  // key events reach the state only at a tick
  EXPECT_FALSE(keys.keyReleased(200));
}

TEST(KeyboardState, MouseEdgeLastsOneFrame) {
  KeyboardState keys;
  keys.onMouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 20);
  keys.tick(kFrame);
  EXPECT_TRUE(keys.mousePressed(0));
  EXPECT_FALSE(keys.mousePressed(1));
  keys.tick(kFrame);
  EXPECT_FALSE(keys.mousePressed(0));

  keys.onMouseButton(GLUT_LEFT_BUTTON, GLUT_UP, 10, 20);
  keys.tick(kFrame);
  EXPECT_FALSE(keys.mousePressed(0));
}

// Two frames inside one millisecond give a step of 0: a click is still seen once.
TEST(KeyboardState, AClickIsSeenByOneUpdateEvenWithStepsOfZero) {
  KeyboardState keys;
  keys.onMouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
  keys.onMouseButton(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
  int seen = 0;
  for (int frame = 0; frame < 5; ++frame) {
    keys.tick(0);
    seen += keys.mousePressed(0);
  }
  EXPECT_EQ(seen, 1);
}

TEST(KeyboardState, MouseButtonsOutside0To2ChangeNothing) {
  KeyboardState keys;
  for (int button : {-1, 3, 4, 7}) keys.onMouseButton(button, GLUT_DOWN, 1, 1);
  keys.tick(kFrame);
  for (int button : {-1, 0, 1, 2, 3, 4, 7}) EXPECT_FALSE(keys.mousePressed(button)) << "button " << button;
}

TEST(KeyboardState, SpecialKeysArePrintedAndKeptApartFromCharacters) {
  KeyboardState keys;
  testing::internal::CaptureStdout();
  keys.onSpecialDown(GLUT_KEY_F11, 0, 0);
  keys.onSpecialUp(GLUT_KEY_F11, 0, 0);
  keys.onSpecialDown(GLUT_KEY_LEFT, 0, 0);
  keys.tick(kFrame);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nkeyboard SPECIAL down: 11\nkeyboard SPECIAL down: 100");
  EXPECT_TRUE(keys.specialPressed(GLUT_KEY_F11));
  EXPECT_FALSE(keys.specialPressed(GLUT_KEY_F1));
  for (int code = 0; code < 128; ++code)
    EXPECT_EQ(edgesOf(keys, static_cast<unsigned char>(code)), (KeyEdges{false, false, false})) << code;
  keys.tick(kFrame);
  EXPECT_FALSE(keys.specialPressed(GLUT_KEY_F11));
}

}  // namespace
