// The rules with four players on one world: stomps of one frame come down
// together and count for one player or none, each player's feet are their own,
// the view turns only for a cleared wave and after a warning, and a round ends
// on time with the players ranked.
#include <utility>

#include "core/PlayerColours.h"
#include "game/WorldFixture.h"

namespace worldtest {
namespace {

constexpr int kLetters = PadFrame::kKeyboard;

class PartyWorldTest : public WorldTest {
 protected:
  // Players 2 to 4 on pad numbers 1 to 3, joined with Start.
  void SetUp() override {
    WorldTest::SetUp();
    PadFrame join = pads();
    for (int pad = 1; pad < kMaxPads; ++pad) join.sources[pad].pressed = ButtonStates::bit(kButtonStart);
    world.joinPlayers(join);
    ASSERT_EQ(world.party().players().size(), 4u);
  }
  static PadFrame pads() {
    PadFrame frame;
    for (int pad = 1; pad < kMaxPads; ++pad) frame.devices[pad].id = 10 + pad;
    return frame;
  }
  // One frame in which each (source, button) goes down, or with up, comes up.
  void together(std::initializer_list<std::pair<int, int>> buttons, bool up = false, float dt = kFrame) {
    PadFrame frame = pads();
    for (auto [source, button] : buttons) (up ? frame.sources[source].released : frame.sources[source].pressed) |= ButtonStates::bit(button);
    world.update(dt, frame);
  }
  const PlayerScore& scoreOf(int slot) const { return world.party().players()[slot].score; }
};

TEST_F(PartyWorldTest, StompsOfOneFrameCountForOnePlayerOrForNone) {
  Victim* shared = addWalker(-10, 10);     // square 0's centre: players 1 and 2 both stomp it
  Victim* sharedNear = addWalker(-8, 11);  // under both their feet too
  Victim* third = addWalker(10, -10);      // square 8: player 3 alone
  Victim* thirdNear = addWalker(12, -9);
  Victim* fourth = addWalker(10, 10);      // square 2: player 4 alone
  addWalker(-14, -14);                     // a bystander keeps the wave going
  together({{kLetters, 0}, {1, 0}, {2, 8}, {3, 2}});
  for (Victim* v : {shared, sharedNear, third, thirdNear, fourth}) EXPECT_EQ(v->state(), Victim::Squashed);
  EXPECT_EQ(scoreOf(0).lastStomp, 0) << "a victim under two players' feet counts for neither";
  EXPECT_EQ(scoreOf(1).lastStomp, 0);
  EXPECT_EQ(scoreOf(2).lastStomp, 2);
  EXPECT_EQ(scoreOf(3).lastStomp, 1);
  EXPECT_EQ(scoreOf(2).roundSquashed, 2);

  ASSERT_EQ(feet.feet().size(), 4u) << "two players on one square each get a foot";
  for (int slot = 0; slot < 4; ++slot) {
    EXPECT_EQ(feet.feet()[slot]->owner(), slot);
    EXPECT_EQ(feet.feet()[slot]->tint().g, players::kColours[slot].g);
  }
  together({{1, 0}}, true);
  EXPECT_EQ(feet.feet()[1]->state(), Foot::Rising) << "a release lifts the player's own foot";
  EXPECT_EQ(feet.feet()[0]->state(), Foot::Planted) << "and not another's on the same square";
}

TEST_F(PartyWorldTest, OnlyAClearedWaveTurnsTheViewAndOnlyAfterAWarning) {
  Victim* last = addWalker(-10, 10);
  together({{kLetters, kButtonStart}, {1, kButtonSelect}});
  EXPECT_EQ(world.targetAngle(), -90) << "Start and Select turn nothing in a party";
  together({{2, 0}});
  ASSERT_EQ(last->state(), Victim::Squashed);
  EXPECT_EQ(world.targetAngle(), -90);
  EXPECT_FLOAT_EQ(world.turnDueIn(), StompWorld::kTurnWarningSeconds);
  together({}, false, 0.5f);
  EXPECT_EQ(world.targetAngle(), -90);
  together({}, false, 0.5f);
  EXPECT_EQ(world.targetAngle(), 0);
  EXPECT_EQ(world.turnDueIn(), 0);
}

TEST_F(PartyWorldTest, ARoundEndsOnTimeAndRanksThePlayers) {
  world.setRoundSeconds(StompWorld::kMinRoundSeconds);
  world.startRound();
  addWalker(-14, -14);
  addWalker(10, -10), addWalker(12, -9), addWalker(10, 10);
  together({{2, 8}, {3, 2}});
  for (int i = 0; i < 29; ++i) together({}, false, 1);
  EXPECT_FALSE(world.roundOver());
  together({}, false, 1);
  EXPECT_TRUE(world.roundOver());

  std::vector<Player> ranked = world.party().ranked();
  std::vector<int> order;
  for (const Player& p : ranked) order.push_back(p.slot);
  EXPECT_EQ(order, (std::vector<int>{2, 3, 0, 1})) << "most squashed first, ties by player number";
  EXPECT_EQ(world.party().winner(), 2);

  world.party().players()[1].away = true;
  world.startRound();
  EXPECT_EQ(world.party().players().size(), 3u) << "a pad still out at the round's end leaves";
  EXPECT_EQ(scoreOf(1).roundSquashed, 0) << "player 3, now second, starts from nothing";
  EXPECT_EQ(world.party().winner(), -1) << "all at nothing: a draw";
}

}  // namespace
}  // namespace worldtest
