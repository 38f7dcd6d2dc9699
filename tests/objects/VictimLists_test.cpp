// Victims' display lists on a real GL context: a victim's load makes them, the
// crowd's sweep drops the oldest corpses, and the lists all victims share go
// back to GL with the last victim.
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

TEST(VictimLists, SweepKeepsTheNewest120CorpsesAndTheListsGoWithTheLastVictim) {
  std::vector<unsigned> lists;
  {
    VictimCrowd crowd;
    for (int i = 0; i < 118; ++i) addLoaded(crowd, -15 + (i % 10), -15 + (i / 10))->setState(Victim::Squashed);
    crowd.sweep();
    ASSERT_EQ(crowd.corpses().size(), 118u);
    for (unsigned list : crowd.corpses()[0]->displayLists()) lists.push_back(list);
    const Victim* fourth = crowd.corpses()[3].get();

    std::vector<Victim*> fresh;
    for (int i = 0; i < 5; ++i) fresh.push_back(addLoaded(crowd, 10, 10 + i * 0.5f));
    EXPECT_EQ(crowd.squash({10, 11, 0}, 4.5f, 9.0f), 5);
    crowd.sweep();

    ASSERT_EQ(crowd.corpses().size(), 120u);
    EXPECT_EQ(crowd.corpses()[0].get(), fourth);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(crowd.corpses()[115 + i].get(), fresh[i]);
    for (unsigned list : lists) EXPECT_TRUE(glIsList(list)) << list;  // the dropped corpses' lists, still shared
    EXPECT_TRUE(crowd.live().empty());
  }
  for (unsigned list : lists) EXPECT_FALSE(glIsList(list)) << list;
}

}  // namespace
