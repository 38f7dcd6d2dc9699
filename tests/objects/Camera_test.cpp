// The camera: resize, projection, view transform and the stomp shake.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "objects/Camera.h"
#include "render/Render.h"
#include "support/GlTest.h"

namespace {

struct Matrix {
  float m[16];
};

Matrix modelview() {
  Matrix out;
  glGetFloatv(GL_MODELVIEW_MATRIX, out.m);
  return out;
}

}  // namespace

class CameraTest : public ::testing::Test {
 protected:
  void TearDown() override { Camera::instance().resize(testgl::kWidth, testgl::kHeight); }
};

TEST_F(CameraTest, ZeroSizedResizeKeepsTheLastSize) {
  Camera& camera = Camera::instance();
  camera.resize(640, 480);
  camera.resize(0, 300);
  camera.resize(300, 0);
  camera.resize(-1, -1);
  EXPECT_EQ(camera.windowWidth(), 640);
  EXPECT_EQ(camera.windowHeight(), 480);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
}

TEST_F(CameraTest, PerspectiveUsesTheWindowAspect) {
  Camera& camera = Camera::instance();
  camera.resize(800, 600);
  camera.setFieldOfView(60);
  EXPECT_NEAR(camera.aspect(), 1.3333f, 1e-4);

  // With the eye at the origin looking straight along the view axis, the
  // modelview holds exactly gluPerspective(60, 4/3, 0.1, 700).
  camera.setPosition({0, 0, 0});
  camera.setRotationX(0);
  camera.setRotationZ(0);
  testgl::resetFrame();
  camera.draw();
  Matrix m = modelview();
  float f = 1.0f / std::tan(30.0f * static_cast<float>(M_PI) / 180.0f);
  EXPECT_NEAR(m.m[0], f / (800.0f / 600.0f), 1e-4);
  EXPECT_NEAR(m.m[5], f, 1e-4);
  EXPECT_NEAR(m.m[10], (700 + 0.1f) / (0.1f - 700), 1e-4);
  EXPECT_NEAR(m.m[14], 2 * 700 * 0.1f / (0.1f - 700), 1e-4);
}

TEST_F(CameraTest, ViewPutsTheEyeAtItsPositionPlusShake) {
  Camera& camera = Camera::instance();
  camera.resize(800, 600);
  camera.setFieldOfView(60);
  camera.setPosition({0, -24.75f, 10});
  camera.setRotationX(90);  // looking horizontally along +y
  camera.setRotationZ(0);
  testgl::resetFrame();
  camera.draw();
  // A point 10 units in front of the eye at eye height lands in the middle of the window.
  float clip[4];
  Matrix m = modelview();
  float p[4] = {0, -14.75f, 10, 1};
  for (int r = 0; r < 4; ++r) clip[r] = m.m[r] * p[0] + m.m[4 + r] * p[1] + m.m[8 + r] * p[2] + m.m[12 + r] * p[3];
  EXPECT_NEAR(clip[0] / clip[3], 0, 1e-4);
  EXPECT_NEAR(clip[1] / clip[3], 0, 1e-4);
  EXPECT_GT(clip[3], 0);
}

TEST_F(CameraTest, ShakeDipsFirstThenSettlesAtZero) {
  Camera& camera = Camera::instance();
  camera.shake(0.5f);
  camera.update(0.016f);
  EXPECT_NEAR(camera.shakeOffset(), 0.5 * std::sin(0.016 * 4 * M_PI - M_PI / 2), 1e-5);
  EXPECT_NEAR(camera.shakeOffset(), -0.49f, 0.01f);
  EXPECT_FLOAT_EQ(camera.shakeAmplitude(), 0.484f);
  for (int i = 0; i < 40; ++i) camera.update(0.0125f);
  EXPECT_EQ(camera.shakeAmplitude(), 0);
  EXPECT_EQ(camera.shakeOffset(), 0);

  float age = camera.age();
  Vec3 position = camera.position();
  camera.update(0.25f);  // idle: only the age moves
  EXPECT_FLOAT_EQ(camera.age(), age + 0.25f);
  EXPECT_EQ(camera.shakeOffset(), 0);
  EXPECT_EQ(camera.position(), position);
  EXPECT_EQ(camera.state(), -1);
}

TEST_F(CameraTest, ASecondShakeRestartsThePhase) {
  Camera& camera = Camera::instance();
  camera.shake(1.0f);
  camera.update(0.2f);
  camera.shake(0.3f);
  camera.update(0.01f);
  EXPECT_NEAR(camera.shakeOffset(), 0.3 * std::sin(0.01 * 4 * M_PI - M_PI / 2), 1e-5);
  camera.update(0.5f);
  EXPECT_EQ(camera.shakeOffset(), 0);
}

// The pixel overlay reads the camera's window size: one unit per pixel from the bottom left.
TEST_F(CameraTest, PixelOverlayMapsOriginToTheBottomLeftPixel) {
  testgl::resetFrame();
  float width = 0, height = 0;
  pixelOverlayBegin(&width, &height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  glDisable(GL_TEXTURE_2D);
  setColor(1, 0, 0, 1);
  glRecti(0, 0, 1, 1);  // exactly the bottom-left pixel
  overlayEnd();
  EXPECT_EQ(testgl::pixel(0, 0)[0], 255);
  EXPECT_EQ(testgl::pixel(1, 0)[0], 0);
  EXPECT_EQ(testgl::pixel(0, 1)[0], 0);
  pixelOverlayBegin();  // both reports are optional
  overlayEnd();
}
