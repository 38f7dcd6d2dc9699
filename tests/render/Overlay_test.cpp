// The 2D overlay bracket: matrix stacks restored and the states it leaves.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>

#include "render/Render.h"
#include "support/GlTest.h"

namespace {

// An untextured square from (0, 0) to (size, size) in the current transform.
void fillSquare(float size) {
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  glVertex2f(0, 0);
  glVertex2f(size, 0);
  glVertex2f(size, size);
  glVertex2f(0, size);
  glEnd();
}

}  // namespace

TEST(Overlay, RestoresBothMatrixStacks) {
  testgl::resetFrame();
  glTranslatef(1, 2, 3);
  GLfloat before[16], after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  testgl::DrawCheck check;

  overlayBegin(-2, 2, -1.5f, 1.5f);
  translate(5, 5, 0);  // the caller's own transform is dropped by overlayEnd
  scale(3, 3, 1);
  overlayEnd();

  EXPECT_TRUE(check.clean());
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  EXPECT_EQ(0, std::memcmp(before, after, sizeof before));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST(Overlay, LeavesSpriteStatesOnAndDepthOff) {
  testgl::resetFrame();
  overlayBegin(0, 1, 0, 1);
  overlayEnd();
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST(Overlay, FullyTransparentPixelsAreNotDrawn) {
  testgl::resetFrame();
  overlayBegin(0, 1, 0, 1);
  glDisable(GL_BLEND);  // so only the alpha test can keep the white square out
  setColor(1, 1, 1, 0);
  fillSquare(1);
  overlayEnd();
  EXPECT_EQ(testgl::pixel(400, 300)[0], 0);
}

TEST(Overlay, StateTogglesSwitchTheirPairs) {
  setTexturing(true, false);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  setTexturing(false, true);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  setDepthTest(true);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  setDepthTest(false);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}
