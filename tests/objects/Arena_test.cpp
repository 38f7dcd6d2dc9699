#include <gtest/gtest.h>

#include "core/Field.h"
#include "core/Random.h"
#include "objects/Arena.h"

namespace {

Arena arenaWithCentreSquare() {
  Arena a;
  a.addBlockedRect(kCentreSquare);
  return a;
}

void expectVec(const Vec3& actual, float x, float y, float z) {
  EXPECT_EQ(actual.x, x);
  EXPECT_EQ(actual.y, y);
  EXPECT_EQ(actual.z, z);
}

TEST(ArenaConstrain, ClampsToTheFloorAndKeepsHeight) {
  expectVec(arenaWithCentreSquare().constrainToWalkArea({20, -40, 3}), 15, -15, 3);
}

TEST(ArenaConstrain, WithoutBlockedRectanglesOnlyClamps) {
  Arena a;
  expectVec(a.constrainToWalkArea({0, 0, 0}), 0, 0, 0);
  expectVec(a.constrainToWalkArea({-15.5f, 2, 0}), -15, 2, 0);
}

TEST(ArenaConstrain, PushesOutOfTheCentreSquareOntoTheNearestEdge) {
  Arena a = arenaWithCentreSquare();
  expectVec(a.constrainToWalkArea({1, 4, 0}), 1, 5, 0);
  expectVec(a.constrainToWalkArea({1, -4.5f, 0}), 1, -5, 0);
  expectVec(a.constrainToWalkArea({4, 1, 0}), 5, 1, 0);
  expectVec(a.constrainToWalkArea({-3, 1, 0}), -5, 1, 0);
}

TEST(ArenaConstrain, TiesResolveMinXThenMaxXThenMinY) {
  Arena a = arenaWithCentreSquare();
  expectVec(a.constrainToWalkArea({0, 0, 0}), -5, 0, 0);  // all four at 5
  expectVec(a.constrainToWalkArea({3, 3, 0}), 5, 3, 0);   // right and top at 2
  Arena wide;
  wide.addBlockedRect({-10, -2, 10, 2});
  expectVec(wide.constrainToWalkArea({0, 0, 0}), 0, -2, 0);  // bottom and top at 2
}

TEST(ArenaConstrain, PointOnAnEdgeComesBackUnchanged) {
  Arena a = arenaWithCentreSquare();
  expectVec(a.constrainToWalkArea({-5, 2, 0}), -5, 2, 0);
  expectVec(a.constrainToWalkArea({5, 5, 0}), 5, 5, 0);
}

TEST(ArenaBlockedRect, MarginGrowsTheRectangleOnEverySide) {
  Arena a = arenaWithCentreSquare();
  EXPECT_NE(a.findBlockedRect({5.5f, 0, 0}, 1), nullptr);
  EXPECT_EQ(a.findBlockedRect({5.5f, 0, 0}, 0), nullptr);
  EXPECT_NE(a.findBlockedRect({-6, -6, 0}, 1), nullptr);  // corner, bounds inclusive
  EXPECT_EQ(a.findBlockedRect({-6.01f, 0, 0}, 1), nullptr);
  EXPECT_NE(a.findBlockedRect({0, 0, 99}, 0), nullptr);    // only x and y are read
}

TEST(ArenaBlockedRect, FirstContainingRectangleWins) {
  Arena a;
  a.addBlockedRect(kCentreSquare);
  a.addBlockedRect({-2, -2, 2, 2});
  const BlockedRect* found = a.findBlockedRect({0, 0, 0}, 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->minX, -5);
}

TEST(ArenaRandomWalk, PointsStayOnTheFloorAndOutOfTheCentre) {
  Arena a = arenaWithCentreSquare();
  randomInt(1);
  srand(1234);
  for (int i = 0; i < 20000; ++i) {
    Vec3 p = a.randomWalkPoint();
    bool strictlyInside = p.x > -5 && p.x < 5 && p.y > -5 && p.y < 5;
    ASSERT_FALSE(strictlyInside) << p.x << ", " << p.y;
    ASSERT_GE(p.x, -15);
    ASSERT_LE(p.x, 14.997f);
    ASSERT_GE(p.y, -15);
    ASSERT_LE(p.y, 14.997f);
    ASSERT_EQ(p.z, 0);
  }
}

TEST(ArenaRandomWalk, TakesThreeDrawsPerPoint) {
  Arena a;
  randomInt(1);
  srand(77);
  Vec3 first = a.randomWalkPoint();
  srand(77);
  float x = randomRange(-field::kHalfSize, field::kHalfSize), y = randomRange(-field::kHalfSize, field::kHalfSize);
  randomRange(0, 0);
  float afterward = randomRange(0, 1);
  srand(77);
  a.randomWalkPoint();
  EXPECT_EQ(first.x, x);
  EXPECT_EQ(first.y, y);
  EXPECT_EQ(randomRange(0, 1), afterward);
}

}  // namespace
