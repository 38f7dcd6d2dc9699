#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>
#include <vector>

#include "game/VictimCrowd.h"

namespace {

// Adds a walking victim at (x, y) and returns it.
Victim* addWalker(VictimCrowd& crowd, float x, float y, bool loaded = false) {
  auto victim = std::make_unique<Victim>();
  if (loaded)
    victim->load();
  else
    victim->setState(Victim::Walking);
  victim->setPosition({x, y, 0});
  Victim* raw = victim.get();
  crowd.add(std::move(victim));
  return raw;
}

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

TEST(VictimCrowdSweep, KeepsTheNewest120CorpsesAndFreesTheOldest) {
  VictimCrowd crowd;
  for (int i = 0; i < 118; ++i) addWalker(crowd, -15 + (i % 10), -15 + (i / 10), true)->setState(Victim::Squashed);
  crowd.sweep();
  ASSERT_EQ(crowd.corpses().size(), 118u);
  std::vector<unsigned> oldestLists;
  for (int i = 0; i < 3; ++i)
    for (unsigned list : crowd.corpses()[i]->displayLists()) oldestLists.push_back(list);
  const Victim* fourth = crowd.corpses()[3].get();
  for (unsigned list : oldestLists) ASSERT_TRUE(glIsList(list));

  std::vector<Victim*> fresh;
  for (int i = 0; i < 5; ++i) fresh.push_back(addWalker(crowd, 10, 10 + i * 0.5f, true));
  EXPECT_EQ(crowd.squash({10, 11, 0}, 4.5f, 9.0f), 5);
  crowd.sweep();

  ASSERT_EQ(crowd.corpses().size(), 120u);
  EXPECT_EQ(crowd.corpses()[0].get(), fourth);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(crowd.corpses()[115 + i].get(), fresh[i]);
  for (unsigned list : oldestLists) EXPECT_FALSE(glIsList(list)) << list;
  EXPECT_TRUE(crowd.live().empty());
}

}  // namespace
