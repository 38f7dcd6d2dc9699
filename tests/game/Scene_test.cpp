// The whole game scene drawn on a real GL context after a scripted stomp, with
// flat test pictures: green floor, red splatter, everything else see-through.
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <vector>

#include "core/Assets.h"
#include "game/WorldFixture.h"
#include "objects/Camera.h"
#include "render/Render.h"

namespace worldtest {
namespace {

void writeFlatPng(const char* path, testfiles::Rgba colour) { testfiles::writeSolidPng(path, 16, 16, colour); }

void writePictures() {
  writeFlatPng(assets::kFloor, {0, 255, 0, 255});
  writeFlatPng(assets::kSplatter, {255, 0, 0, 255});
  const testfiles::Rgba clear{0, 0, 255, 0};
  for (const char* picture : {assets::kVictimHead, assets::kVictimBody, assets::kVictimArm}) writeFlatPng(picture, clear);
  for (const char* skyline : assets::kSkylines) writeFlatPng(skyline, clear);
  for (const char* foot : assets::kFeet) writeFlatPng(foot, clear);
  testfiles::writeTga(assets::kShadow, 16, 16, std::vector<uint8_t>(16 * 16 * 4, 0));
}

class SceneTest : public WorldTest {
 protected:
  static void SetUpTestSuite() {
    WorldTest::SetUpTestSuite();
    writePictures();
    arena.load();
    Camera::instance().setFieldOfView(60);
  }
  void TearDown() override {
    WorldTest::TearDown();
    glDisable(GL_CULL_FACE);
  }

  // Draws the frame as the game does; keeps the camera transform for projecting points.
  void render() {
    testgl::resetFrame(0.6f, 0.5f, 0.35f);
    setStartupGlState();
    Camera::instance().draw();
    glGetDoublev(GL_MODELVIEW_MATRIX, view_.data());
    arena.draw();
    crowd.drawGround();
    feet.drawGround();
    crowd.drawBodies();
    feet.draw();
  }

  // The window pixel showing a floor point (the projection is built on the modelview matrix).
  std::array<uint8_t, 4> pixelAt(float x, float y) {
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const int viewport[4] = {0, 0, testgl::kWidth, testgl::kHeight};
    double wx, wy, wz;
    gluProject(x, y, 0, view_.data(), identity, viewport, &wx, &wy, &wz);
    return testgl::pixel(static_cast<int>(wx), static_cast<int>(wy));
  }

  std::array<double, 16> view_{};
};

bool isRed(std::array<uint8_t, 4> p) { return p[0] > 200 && p[1] < 60 && p[2] < 60; }
bool isGreen(std::array<uint8_t, 4> p) { return p[0] < 60 && p[1] > 200 && p[2] < 60; }

TEST_F(SceneTest, FloorAndSplatterWhereTheStompLanded) {
  feet.load();
  Victim* target = addWalker(-9, 11, true);
  target->setVariation(0.5f);  // a splatter 3 units wide
  addWalker(12, -12, true);  // keeps the wave going
  press({'q'});
  crowd.update(kFrame);
  Camera::instance().update(kFrame);
  ASSERT_EQ(crowd.corpses().size(), 1u);

  render();
  EXPECT_TRUE(isRed(pixelAt(-9, 11)));
  EXPECT_TRUE(isRed(pixelAt(-9 + 1.2f, 11)));
  EXPECT_TRUE(isRed(pixelAt(-9, 11 - 1.2f)));
  EXPECT_TRUE(isGreen(pixelAt(-9 + 2, 11)));
  EXPECT_TRUE(isGreen(pixelAt(-9, 11 - 2)));
  EXPECT_TRUE(isGreen(pixelAt(5, -8)));
  EXPECT_TRUE(isGreen(pixelAt(-14, 14)));
  EXPECT_FALSE(isGreen(pixelAt(0, 30)));  // beyond the floor's far edge
}

}  // namespace
}  // namespace worldtest
