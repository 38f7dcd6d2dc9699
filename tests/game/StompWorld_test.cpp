#include <cmath>

#include "game/WorldFixture.h"
#include "objects/Camera.h"

namespace worldtest {
namespace {

using Plays = std::vector<Play>;
const Play kSquish{"squish", 100}, kExplosion{"explosion", 100};
const Play kRecordCheer{"cheer", 50}, kWaveCheer{"cheer", 80};

TEST_F(WorldTest, LoadsEverySoundGroup) {
  for (auto& [group, files] : soundFiles())
    for (auto& file : files) EXPECT_NE(SoundBank::instance().find(file), 0u) << file;
}

TEST_F(WorldTest, InitSpawnsAWaveOfSixtyFlungVictims) {
  world.init();
  ASSERT_EQ(crowd.live().size(), 60u);
  for (auto& victim : crowd.live()) {
    EXPECT_EQ(victim->state(), Victim::Flung);
    EXPECT_EQ(victim->position().z, 0.5f);
  }
  addWalker(14, 14);  // keeps the wave from ending
  press({'q'});       // nobody walks near the square yet
  EXPECT_EQ(world.lastStomp(), 0);
}

TEST_F(WorldTest, PressDoesNothingWhenTheNearestWalkerIsOffTheSquare) {
  Victim* offSquare = addWalker(-4.5f, 10);    // 5.5 from square 0's centre, on square 1
  Victim* onSquare = addWalker(-14.9f, 14.9f); // on square 0 but 6.9 away
  press({'q'});
  EXPECT_EQ(offSquare->state(), Victim::Walking);
  EXPECT_EQ(onSquare->state(), Victim::Walking);
  EXPECT_TRUE(feet.feet().empty());
  EXPECT_EQ(plays, Plays{});
  EXPECT_EQ(world.lastStomp(), 0);
  EXPECT_EQ(Camera::instance().shakeAmplitude(), 0);
}

TEST_F(WorldTest, StompSquashesScoresPlantsAFootAndShakes) {
  addWalker(14.9f, -14.9f);  // bystander far off
  Victim* target = addWalker(-9, 9);
  Victim* neighbour = addWalker(-5, 6);   // 5 away: flung
  Victim* close = addWalker(-6, 12);      // 4.24 away: squashed too
  press({'q'});
  EXPECT_EQ(target->state(), Victim::Squashed);
  EXPECT_EQ(close->state(), Victim::Squashed);
  EXPECT_EQ(neighbour->state(), Victim::Flung);
  EXPECT_EQ(world.lastStomp(), 2);
  EXPECT_EQ(world.mostPerStomp(), 2);
  ASSERT_EQ(feet.feet().size(), 1u);
  EXPECT_TRUE(feet.feet()[0]->position() == Vec3(-9, 9, 0));
  EXPECT_FLOAT_EQ(Camera::instance().shakeAmplitude(), 0.2f);
  EXPECT_EQ(plays, Plays{kSquish});  // first record: no cheer; 2: no explosion
}

TEST_F(WorldTest, OnlyABetterStompCheersAndThreeExplode) {
  addWalker(0, 14.9f);  // bystander
  addWalker(-10, 10);
  press({'q'});  // 1, the first record
  addWalker(10, -10);
  press({'c'});  // 1 again: equal, no cheer
  EXPECT_EQ(plays, (Plays{kSquish, kSquish}));
  plays.clear();
  for (float x : {-10.0f, -11.0f, -12.0f}) addWalker(x, -10);
  press({'z'});  // 3: a record and an explosion
  EXPECT_EQ(plays, (Plays{kRecordCheer, kExplosion, kSquish}));
  EXPECT_EQ(world.mostPerStomp(), 3);
  plays.clear();
  addWalker(10, 10);
  press({'e'});
  EXPECT_EQ(world.lastStomp(), 1);
  EXPECT_EQ(world.mostPerStomp(), 3);
  EXPECT_EQ(plays, Plays{kSquish});
}

TEST_F(WorldTest, ButtonsPressedTogetherAreHandledInButtonOrder) {
  addWalker(14.9f, -14.9f);            // bystander
  Victim* first = addWalker(-6, 10);   // nearest to square 0's centre
  Victim* between = addWalker(-2, 10); // nearest to square 1's centre, 4 from the first
  Victim* later = addWalker(4, 14);    // 10.8 from the first: untouched by its stomp
  press({'w', 'q'});
  EXPECT_EQ(first->state(), Victim::Squashed);
  EXPECT_EQ(between->state(), Victim::Squashed);
  EXPECT_EQ(later->state(), Victim::Squashed);  // square 1's stomp found it next
  EXPECT_EQ(world.mostPerStomp(), 2);
  EXPECT_EQ(world.lastStomp(), 1);
  ASSERT_EQ(feet.feet().size(), 2u);
  EXPECT_EQ(feet.feet()[0]->position().x, -6);
  EXPECT_EQ(feet.feet()[1]->position().x, 4);
}

TEST_F(WorldTest, ReleaseLiftsTheFeetOfItsSquare) {
  addWalker(14.9f, -14.9f);
  addWalker(-10, 10);
  addWalker(10, 10);
  press({'q', 'e'});
  release({'q'});
  ASSERT_EQ(feet.feet().size(), 2u);
  EXPECT_EQ(feet.feet()[0]->state(), Foot::Rising);
  EXPECT_EQ(feet.feet()[1]->state(), Foot::Planted);
}

TEST_F(WorldTest, StartAndSelectTurnTheViewStartWinsWhenBoth) {
  addWalker(14.9f, -14.9f);
  press({'3', '1'});
  EXPECT_EQ(world.targetAngle(), 0);
  release({'3', '1'});
  press({'1'});
  EXPECT_EQ(world.targetAngle(), -90);
  release({'1'});
  press({'1'});
  EXPECT_EQ(world.targetAngle(), -180);
}

TEST_F(WorldTest, TurnedViewStompsTheMatchingSquare) {
  addWalker(14.9f, 0);
  Victim* v = addWalker(-10, -10);  // square 6: button 0 when the view target is 0
  press({'3'});
  release({'3'});
  press({'q'});
  EXPECT_EQ(v->state(), Victim::Squashed);
}

TEST_F(WorldTest, ClearedWaveCheersTurnsSpawnsAndLiftsInTheSameFrame) {
  feet.stompAt(12, 12);  // an older planted foot
  addWalker(-10, 10);
  press({'q'});
  EXPECT_EQ(plays, (Plays{kSquish, kWaveCheer}));
  EXPECT_EQ(world.targetAngle(), 0);
  EXPECT_EQ(crowd.live().size(), 61u);  // the squashed one stays until the crowd's update
  EXPECT_EQ(crowd.countActive(), 60);
  ASSERT_EQ(feet.feet().size(), 2u);
  for (auto& foot : feet.feet()) EXPECT_EQ(foot->state(), Foot::Rising);
}

TEST_F(WorldTest, EmptyCrowdEndsTheWaveAtOnce) {
  frame();
  EXPECT_EQ(plays, Plays{kWaveCheer});
  EXPECT_EQ(crowd.countActive(), 60);
  frame();
  EXPECT_EQ(plays.size(), 1u);  // the new wave is in the air, still active
}

void expectCamera(float x, float y, float z, float heading, float pitch) {
  Camera& camera = Camera::instance();
  EXPECT_NEAR(camera.position().x, x, 1e-4);
  EXPECT_NEAR(camera.position().y, y, 1e-4);
  EXPECT_NEAR(camera.position().z, z, 1e-4);
  EXPECT_NEAR(camera.rotationZ(), heading, 1e-4);
  EXPECT_NEAR(camera.rotationX(), pitch, 1e-4);
}

TEST_F(WorldTest, CameraOrbitsEasesTowardTheTargetAndOvershootsOnLongFrames) {
  addWalker(14.9f, -14.9f);
  frame(0.5f);
  expectCamera(0, -24.75f, std::sin(0.5f) * 0.25f + 10, 0, std::sin(0.5f - M_PI / 2) * 0.75f + 75);

  press({'3'}, 0.1f);  // eases 0.48 of the way: -90 + 43.2
  float a = -46.8f, r = a * M_PI / 180;
  expectCamera(std::cos(r) * 24.75f, std::sin(r) * 24.75f, std::sin(0.6f) * 0.25f + 10, a + 90,
               std::sin(0.6f - M_PI / 2) * 0.75f + 75);
  EXPECT_NEAR(world.viewAngle(), a, 1e-4);

  release({'3'}, 0.25f);  // 1.2 of the remaining way: past the target
  EXPECT_NEAR(world.viewAngle(), a + 46.8f * 1.2f, 1e-3);
  EXPECT_GT(world.viewAngle(), world.targetAngle());
}

}  // namespace
}  // namespace worldtest
