// A victim walking, flung and squashed, without pictures: no GL is involved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "objects/Arena.h"
#include "objects/Victim.h"

namespace {

class VictimTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { arena.addBlockedRect(kCentreSquare); }  // what load would add
};

// Makes v walk from (x, y) toward target at the given variation.
void walking(Victim& v, float x, float y, Vec3 target, float variation = 0.5f) {
  v.setState(Victim::Walking);
  v.setVariation(variation);
  v.setPosition({x, y, 0});
  v.setTarget(target);
}

TEST_F(VictimTest, WalkingSpeedFollowsVariation) {
  const float dt = 0.125f;
  for (auto [variation, speed] : {std::pair{0.0f, 1.5f}, {0.5f, 3.5f}, {0.75f, 4.5f}}) {
    Victim v;
    walking(v, -14, -14, {14, -14, 0}, variation);
    v.update(dt);
    EXPECT_FLOAT_EQ(v.position().x, -14 + speed * dt) << variation;
    EXPECT_EQ(v.position().y, -14);
  }
}

TEST_F(VictimTest, StepEqualToTheDistanceReachesTheTarget) {
  Victim v;
  walking(v, 10, 10, {10.4375f, 10, 0});  // 3.5 units/s * 0.125 s = 0.4375
  v.update(0.125f);
  EXPECT_EQ(v.position().x, 10.4375f);
  EXPECT_EQ(v.target().x, 10.4375f);  // kept
}

TEST_F(VictimTest, StepBeyondTheTargetStopsAndPicksANewOne) {
  Victim v;
  walking(v, 10, 10, {10.4f, 10, 0});
  v.update(0.125f);
  EXPECT_EQ(v.position().x, 10);
  EXPECT_NE(v.target().x, 10.4f);
}

TEST_F(VictimTest, StandingOnTheTargetPicksANewOneWithoutMoving) {
  Victim v;
  walking(v, 10, 10, {10, 10, 0});
  v.update(0.125f);
  EXPECT_EQ(v.position().x, 10);
  EXPECT_EQ(v.position().y, 10);
  EXPECT_FALSE(v.target() == Vec3(10, 10, 0));
}

TEST_F(VictimTest, WalkingIntoTheCentreSquareStopsOnItsEdge) {
  Victim v;
  walking(v, -7, 1, {7, 1, 0});
  for (int frame = 0; frame < 20 && v.target().x == 7; ++frame) v.update(0.125f);
  EXPECT_EQ(v.position().x, -5);
  EXPECT_EQ(v.position().y, 1);
  EXPECT_NE(v.target().x, 7);
}

TEST_F(VictimTest, WalkingOffTheFloorStopsOnItsEdge) {
  Victim v;
  walking(v, 14.9f, 0, {20, 0, 0});
  v.update(0.125f);
  EXPECT_EQ(v.position().x, 15);
  EXPECT_NE(v.target().x, 20);
}

TEST_F(VictimTest, FlungAtFiveLandsAfterAboutPoint414SecondsAndWalks) {
  Victim v;
  walking(v, 3, -8, {3, -12, 0});
  v.setState(Victim::Flung);
  EXPECT_EQ(v.position().z, 0.5f);
  EXPECT_GE(v.verticalSpeed(), 5);
  EXPECT_LT(v.verticalSpeed(), 20);
  v.setVerticalSpeed(5);
  const float dt = 0.001f;
  float flight = 0;
  float peak = 0;
  while (v.state() == Victim::Flung && flight < 2) {
    v.update(dt);
    flight += dt;
    peak = std::max(peak, v.position().z);
    ASSERT_EQ(v.position().x, 3);
    ASSERT_EQ(v.position().y, -8);
  }
  EXPECT_NEAR(flight, 0.4139f, 0.002f);
  EXPECT_NEAR(peak, 0.5f + 25.0f / 60, 0.001f);  // v^2 / 2g above the start
  EXPECT_EQ(v.state(), Victim::Walking);
  EXPECT_EQ(v.position().z, 0);
  EXPECT_EQ(v.stateTime(), 0);
  EXPECT_EQ(v.verticalSpeed(), 0);
  EXPECT_FALSE(v.target() == Vec3(3, -12, 0));
}

TEST_F(VictimTest, SettingTheCurrentStateChangesNothing) {
  Victim v;
  walking(v, -12, 12, {-12, -12, 0});
  v.update(0.1f);
  float clock = v.stateTime();
  v.setState(Victim::Walking);
  EXPECT_EQ(v.stateTime(), clock);
  EXPECT_EQ(v.target().y, -12);

  v.setState(Victim::Flung);
  v.setVerticalSpeed(7);
  v.update(0.01f);
  float height = v.position().z;
  v.setState(Victim::Flung);  // no fresh fling
  EXPECT_EQ(v.verticalSpeed(), 7 - 30 * 0.01f);
  EXPECT_EQ(v.position().z, height);
}

TEST_F(VictimTest, SquashedVictimNeverMoves) {
  Victim v;
  walking(v, -12, 12, {-12, -12, 0});
  v.setState(Victim::Squashed);
  for (int i = 0; i < 50; ++i) v.update(0.1f);
  EXPECT_EQ(v.state(), Victim::Squashed);
  EXPECT_TRUE(v.position() == Vec3(-12, 12, 0));
  EXPECT_FALSE(v.isUpright());
  EXPECT_NEAR(v.age(), 5, 1e-4);
}

}  // namespace
