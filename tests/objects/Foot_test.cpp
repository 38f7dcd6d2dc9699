#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Assets.h"
#include "objects/Foot.h"
#include "support/GlTest.h"  // the feet are drawn too, in the GL tests' window

namespace {

constexpr float kFrame = 0.125f;  // exact in binary, so the clocks add up exactly
const std::string kNoPicture = std::string(assets::kResourceDir) + "images/no-such-foot.png";

std::vector<int> states(const FootManager& feet) {
  std::vector<int> result;
  for (const auto& foot : feet.feet()) result.push_back(foot->state());
  return result;
}

std::vector<float> xs(const FootManager& feet) {
  std::vector<float> result;
  for (const auto& foot : feet.feet()) result.push_back(foot->position().x);
  return result;
}

class FootTest : public ::testing::Test {
 protected:
  void SetUp() override { feet.loadPrototype(kNoPicture.c_str()); }
  void run(int frames) {
    for (int i = 0; i < frames; ++i) feet.update(kFrame);
  }
  FootManager feet;
};

TEST_F(FootTest, StompPlantsAFootOnTheFloor) {
  feet.stompAt(3, -4);
  ASSERT_EQ(feet.feet().size(), 1u);
  Foot& foot = *feet.feet()[0];
  EXPECT_EQ(foot.state(), Foot::Planted);
  EXPECT_TRUE(foot.position() == Vec3(3, -4, 0));
}

TEST_F(FootTest, RisesAfterOneSecondAndIsGoneHalfASecondLater) {
  feet.stompAt(0, 0);
  run(8);  // exactly 1 s: not yet beyond it
  EXPECT_EQ(states(feet), std::vector<int>{Foot::Planted});
  run(1);
  EXPECT_EQ(states(feet), std::vector<int>{Foot::Rising});
  run(2);
  EXPECT_FLOAT_EQ(feet.feet()[0]->position().z, 0.25f * 40);
  run(2);  // exactly 0.5 s of rising: still there, at height 20
  ASSERT_EQ(feet.feet().size(), 1u);
  EXPECT_FLOAT_EQ(feet.feet()[0]->position().z, 20);
  run(1);
  EXPECT_TRUE(feet.feet().empty());
}

TEST_F(FootTest, LiftTakesPlantedFeetInsideTheRectangleBoundsIncluded) {
  for (auto [x, y] : {std::pair{5.0f, 5.0f}, {5.01f, 0.0f}, {-5.0f, -5.0f}, {0.0f, 4.99f}, {0.0f, -5.01f}})
    feet.stompAt(x, y);
  feet.liftFeetIn(-5, -5, 5, 5);
  EXPECT_EQ(states(feet), (std::vector<int>{Foot::Rising, Foot::Planted, Foot::Rising, Foot::Rising, Foot::Planted}));
}

TEST_F(FootTest, LiftLeavesRisingFeetOnTheirOwnClock) {
  feet.stompAt(1, 1);
  feet.liftFeetIn(0, 0, 2, 2);
  run(2);
  feet.liftFeetIn(0, 0, 2, 2);
  EXPECT_EQ(feet.feet()[0]->stateTime(), 2 * kFrame);
}

TEST_F(FootTest, RemovalKeepsTheOrderOfTheOthers) {
  feet.stompAt(1, 0);
  feet.stompAt(2, 0);
  feet.stompAt(3, 0);
  feet.liftFeetIn(1.5f, -1, 2.5f, 1);
  run(5);  // the lifted one rises for 0.625 s and goes; the others stay planted
  EXPECT_EQ(xs(feet), (std::vector<float>{1, 3}));
  EXPECT_EQ(states(feet), (std::vector<int>{Foot::Planted, Foot::Planted}));
}

TEST_F(FootTest, LiftAllRectangleTakesEveryPlantedFoot) {
  for (float x : {-15.0f, 0.0f, 14.99f}) feet.stompAt(x, -x);
  feet.liftFeetIn(-999, -999, 999, 999);
  EXPECT_EQ(states(feet), (std::vector<int>{Foot::Rising, Foot::Rising, Foot::Rising}));
}

TEST(FootManager, WithoutPicturesAStompStillKeepsTheFootsTiming) {
  FootManager bare;
  bare.stompAt(2, 2);
  ASSERT_EQ(bare.feet().size(), 1u);
  EXPECT_EQ(bare.feet()[0]->state(), Foot::Planted);
  bare.drawGround();
  bare.draw();
}

}  // namespace
