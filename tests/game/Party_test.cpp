// The party on SDL virtual dance pads read through the game's pad reader:
// pad 0 is player 1's, another pad or the navigation keys join with Start,
// a pad pulled out leaves its player away with the score kept, the same kind
// plugged back in brings them back, and those still away leave.
#include <GL/freeglut.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "game/Party.h"
#include "input/PadInput.h"
#include "support/Files.h"
#include "support/GlTest.h"  // keys go through GLUT, which needs its window
#include "support/VirtualPad.h"

namespace {

const testfiles::TempDir configHome("party-config");  // no saved mappings
constexpr int kStartButton = 8;                        // of the default table
using testpad::VirtualPad;

class PartyPads : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("XDG_CONFIG_HOME", configHome.path().c_str(), 1);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // virtual pads outlive the reader's view of them
  }
  void SetUp() override {
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
    keys.init();
  }

  // One frame as the game runs it: the pads read, then the party follows them.
  PadFrame frame() {
    keys.tick(1 / 60.f);
    PadFrame pads = readFrameInput(keys).pads;
    party.track(pads);
    return pads;
  }
  // Start down on the pad: the frame's joins, then Start up again.
  int pressStart(VirtualPad& pad) {
    pad.set(kStartButton, true);
    int joined = party.joinFrom(frame());
    pad.set(kStartButton, false);
    frame();
    return joined;
  }
  static std::unique_ptr<VirtualPad> plug(Uint16 product) {
    return std::make_unique<VirtualPad>(testpad::PadKind{.product = product});
  }

  KeyboardState keys;  // the test's own, reading the pads
  Party party;
};

TEST_F(PartyPads, AnotherPadJoinsWithStartIsAwayWhenPulledAndReturnsWithTheSameKind) {
  auto first = plug(0x0001), second = plug(0x0002);
  frame();
  EXPECT_EQ(pressStart(*first), 0) << "pad 0 is player 1's";
  EXPECT_EQ(pressStart(*second), 1);
  ASSERT_EQ(party.players().size(), 2u);
  EXPECT_EQ(party.players()[1].slot, 1);
  EXPECT_EQ(pressStart(*second), 0) << "a player's Start joins no one again";

  second->set(kStartButton, true);
  EXPECT_TRUE(party.anyPressed(kButtonStart, frame())) << "a joined pad's Start is a player's";
  second->set(kStartButton, false);
  frame();

  party.players()[1].score.roundSquashed = 7;
  second.reset();
  frame();
  ASSERT_EQ(party.players().size(), 2u);
  EXPECT_TRUE(party.players()[1].away);
  auto other = plug(0x0003);
  frame();
  EXPECT_TRUE(party.players()[1].away) << "another kind of pad is not theirs";
  auto again = plug(0x0002);
  frame();
  EXPECT_FALSE(party.players()[1].away);
  EXPECT_EQ(party.players()[1].score.roundSquashed, 7);
  again->set(3, true);  // the right arrow, on the default table
  EXPECT_TRUE(party.buttonsOf(party.players()[1], frame()).wentDown(5)) << "the pad plays for them again";
}

TEST_F(PartyPads, EveryPadPulledAtOnceLeavesPlayerOneAloneOnceTheAwayLeave) {
  auto zero = plug(0x0001), a = plug(0x0002), b = plug(0x0003), c = plug(0x0004);
  frame();
  for (auto* pad : {a.get(), b.get(), c.get()}) EXPECT_EQ(pressStart(*pad), 1);
  ASSERT_EQ(party.players().size(), 4u);
  auto fifth = plug(0x0005);
  EXPECT_EQ(pressStart(*fifth), 0) << "four players at most";
  zero.reset(), a.reset(), b.reset(), c.reset();
  frame();
  for (const Player& player : party.players()) EXPECT_EQ(player.away, player.slot != 0) << player.slot;
  party.dropAway();
  ASSERT_EQ(party.players().size(), 1u);
  EXPECT_TRUE(party.players()[0].letterKeys);
}

TEST_F(PartyPads, TheNavigationKeysJoinWithInsertAndPlayAsOnePad) {
  keys.onSpecialDown(GLUT_KEY_INSERT, 0, 0);
  EXPECT_EQ(party.joinFrom(frame()), 1);
  keys.onSpecialUp(GLUT_KEY_INSERT, 0, 0);
  ASSERT_EQ(party.players().size(), 2u);
  EXPECT_TRUE(party.players()[1].navigationKeys);
  keys.onSpecialDown(GLUT_KEY_HOME, 0, 0);
  keys.onKeyDown('e', 0, 0);
  PadFrame pads = frame();
  EXPECT_TRUE(party.buttonsOf(party.players()[1], pads).wentDown(0)) << "Home is the top-left square";
  EXPECT_FALSE(party.buttonsOf(party.players()[1], pads).wentDown(2)) << "the letters are player 1's";
  EXPECT_TRUE(party.buttonsOf(party.players()[0], pads).wentDown(2));
}

}  // namespace
