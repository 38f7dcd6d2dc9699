// The crowd's rules without pictures: who a stomp squashes or flings, who is
// nearest, and when the squashed become corpses. No GL is involved.
#include <gtest/gtest.h>

#include <vector>

#include "objects/VictimCrowd.h"
#include "support/Walkers.h"

namespace {

using walkers::addWalker;

TEST(VictimCrowdSquash, InnerRadiusSquashesAtItsBorderOuterFlingsAtItsBorder) {
  VictimCrowd crowd;
  Victim* centre = addWalker(crowd, 0, 0);
  Victim* innerEdge = addWalker(crowd, 4.5f, 0);
  Victim* outerEdge = addWalker(crowd, 0, -9);
  Victim* beyond = addWalker(crowd, 9.001f, 0);
  EXPECT_EQ(crowd.squash({0, 0, 0}, 4.5f, 9.0f), 2);
  EXPECT_EQ(centre->state(), Victim::Squashed);
  EXPECT_EQ(innerEdge->state(), Victim::Squashed);
  EXPECT_EQ(outerEdge->state(), Victim::Flung);
  EXPECT_EQ(beyond->state(), Victim::Walking);
}

TEST(VictimCrowdSquash, FlungVictimsAreNeitherTargetedNorSquashed) {
  VictimCrowd crowd;
  Victim* inAir = addWalker(crowd, 0, 0);
  inAir->setState(Victim::Flung);
  EXPECT_EQ(crowd.nearestWalking({0, 0, 0}), nullptr);
  Victim* walker = addWalker(crowd, 6, 0);
  EXPECT_EQ(crowd.nearestWalking({0, 0, 0}), walker);
  EXPECT_EQ(crowd.squash({0, 0, 0}, 4.5f, 9.0f), 0);  // nothing squashed, the walker still flung
  EXPECT_EQ(inAir->state(), Victim::Flung);
  EXPECT_EQ(walker->state(), Victim::Flung);
  EXPECT_EQ(crowd.countActive(), 2);
}

TEST(VictimCrowdSquash, EachFlungVictimStartsAFreshFling) {
  VictimCrowd crowd;
  Victim* victim = addWalker(crowd, 5, 0);
  crowd.squash({0, 0, 0}, 4.5f, 9.0f);
  EXPECT_EQ(victim->position().z, 0.5f);
  EXPECT_GE(victim->verticalSpeed(), 5);
}

TEST(VictimCrowdNearest, TieGoesToTheEarlierVictimAndDistanceIncludesHeight) {
  VictimCrowd crowd;
  EXPECT_EQ(crowd.nearestWalking({0, 0, 0}), nullptr);
  Victim* first = addWalker(crowd, 2, 0);
  addWalker(crowd, -2, 0);
  addWalker(crowd, 0, 2);
  EXPECT_EQ(crowd.nearestWalking({0, 0, 0}), first);
  EXPECT_EQ(crowd.nearestWalking({0, 0, 1.9f}), first);
  Victim* closer = addWalker(crowd, 0, 1.99f);
  EXPECT_EQ(crowd.nearestWalking({0, 0, 0}), closer);
}

TEST(VictimCrowdNearest, WalkingWithinKeepsCrowdOrder) {
  VictimCrowd crowd;
  Victim* a = addWalker(crowd, 3, 0);
  addWalker(crowd, 10, 0);
  Victim* c = addWalker(crowd, -1, 0);
  EXPECT_EQ(crowd.walkingWithin({0, 0, 0}, 3), (std::vector<Victim*>{a, c}));
}

TEST(VictimCrowdUpdate, SquashedVictimsMoveToTheCorpsesInTheSameUpdate) {
  VictimCrowd crowd;
  addWalker(crowd, -12, -12);
  Victim* squashed = addWalker(crowd, 12, 12);
  crowd.add(nullptr);
  crowd.squash({12, 12, 0}, 4.5f, 9.0f);
  EXPECT_EQ(crowd.countActive(), 1);  // the squashed one is still live, but not counted
  EXPECT_EQ(crowd.live().size(), 2u);
  crowd.update(0.01f);
  ASSERT_EQ(crowd.corpses().size(), 1u);
  EXPECT_EQ(crowd.corpses()[0].get(), squashed);
  EXPECT_EQ(crowd.live().size(), 1u);
}

}  // namespace
