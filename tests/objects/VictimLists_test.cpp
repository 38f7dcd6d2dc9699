// Victims' display lists on a real GL context: a victim's load makes them, and
// the crowd's sweep gives the oldest corpses' lists back to GL.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "objects/VictimCrowd.h"
#include "support/GlTest.h"
#include "support/Walkers.h"

namespace {

Victim* addLoaded(VictimCrowd& crowd, float x, float y) { return walkers::addWalker(crowd, x, y, true); }

TEST(VictimLists, AVictimStartsInactiveAndLoadMakesItsListsAndItWalk) {
  Victim v;
  EXPECT_EQ(v.state(), Victim::Inactive);
  EXPECT_FALSE(v.isUpright());
  v.load();
  EXPECT_EQ(v.state(), Victim::Walking);
  EXPECT_TRUE(v.isUpright());
  for (unsigned list : v.displayLists()) EXPECT_TRUE(glIsList(list));
}

TEST(VictimLists, SweepKeepsTheNewest120CorpsesAndFreesTheOldest) {
  VictimCrowd crowd;
  for (int i = 0; i < 118; ++i) addLoaded(crowd, -15 + (i % 10), -15 + (i / 10))->setState(Victim::Squashed);
  crowd.sweep();
  ASSERT_EQ(crowd.corpses().size(), 118u);
  std::vector<unsigned> oldestLists;
  for (int i = 0; i < 3; ++i)
    for (unsigned list : crowd.corpses()[i]->displayLists()) oldestLists.push_back(list);
  const Victim* fourth = crowd.corpses()[3].get();
  for (unsigned list : oldestLists) ASSERT_TRUE(glIsList(list));

  std::vector<Victim*> fresh;
  for (int i = 0; i < 5; ++i) fresh.push_back(addLoaded(crowd, 10, 10 + i * 0.5f));
  EXPECT_EQ(crowd.squash({10, 11, 0}, 4.5f, 9.0f), 5);
  crowd.sweep();

  ASSERT_EQ(crowd.corpses().size(), 120u);
  EXPECT_EQ(crowd.corpses()[0].get(), fourth);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(crowd.corpses()[115 + i].get(), fresh[i]);
  for (unsigned list : oldestLists) EXPECT_FALSE(glIsList(list)) << list;
  EXPECT_TRUE(crowd.live().empty());
}

}  // namespace
