// The scene-object base: fresh state, state clock, distance and box queries.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/GameObject.h"

namespace {

struct Probe : GameObject {
  void update(float dt) override { stateTime_ += dt; }
  void draw() override {}
};

}  // namespace

TEST(GameObject, StartsWithoutStateAtTheOrigin) {
  Probe o;
  EXPECT_EQ(o.state(), -1);
  EXPECT_EQ(o.stateTime(), 0);
  EXPECT_EQ(o.age(), 0);
  EXPECT_EQ(o.position(), Vec3(0, 0, 0));
  EXPECT_EQ(o.unitFactorA(), 1.0f);
  EXPECT_EQ(o.unitFactorB(), 1.0f);
}

TEST(GameObject, WithinIncludesItsBorderAndHeight) {
  Probe o;
  o.setPosition({3, 4, 0});
  EXPECT_TRUE(o.isWithin({0, 0, 0}, 5));
  EXPECT_FALSE(o.isWithin({0, 0, 0}, 4.999f));
  EXPECT_FLOAT_EQ(o.distanceTo(Vec3(0, 0, 0)), 5);
  EXPECT_FLOAT_EQ(o.distanceSquaredTo(Vec3(0, 0, 0)), 25);

  o.setPosition({0, 0, 1});  // one unit up is not within half a unit of the floor point below
  EXPECT_FALSE(o.isWithin({0, 0, 0}, 0.5f));

  Probe other;
  other.setPosition({0, 0, 1});
  EXPECT_EQ(o.distanceTo(other), 0);
}

TEST(GameObject, BoxIsInclusiveOnEveryFace) {
  Probe o;
  Vec3 min(-5, -5, 0), max(5, 5, 0);
  o.setPosition({5, -5, 0});
  EXPECT_TRUE(o.isInsideBox(min, max));
  o.setPosition({5.001f, 0, 0});
  EXPECT_FALSE(o.isInsideBox(min, max));
  o.setPosition({0, 0, 0.001f});  // airborne: outside every flat box
  EXPECT_FALSE(o.isInsideBox(min, max));
}

TEST(GameObject, SetStateAlwaysRestartsTheStateClock) {
  Probe o;
  o.setState(2);
  o.update(0.5f);
  o.setState(2);
  EXPECT_EQ(o.state(), 2);
  EXPECT_EQ(o.stateTime(), 0);
}
