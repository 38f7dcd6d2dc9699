// The slideshow: pictures kept in order, failures left out, the end reached,
// and drawing the current picture over the whole window.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "app/Slideshow.h"
#include "media/Texture.h"
#include "support/Files.h"
#include "support/GlTest.h"

namespace {

// Writes a solid-colour picture and returns its path.
std::string solidPicture(const testfiles::TempDir& dir, const std::string& name, uint8_t r, uint8_t g, uint8_t b) {
  std::string path = dir / name;
  testfiles::writeSolidPng(path, 64, 48, {r, g, b, 255});
  return path;
}

GLint boundTexture() {
  GLint texture = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  return texture;
}

}  // namespace

TEST(Slideshow, FourPicturesThenFinished) {
  testfiles::TempDir dir("slides4");
  Slideshow show;
  EXPECT_EQ(show.currentIndex(), -1);
  for (int i = 0; i < 4; ++i) show.addImage(solidPicture(dir, "s" + std::to_string(i) + ".png", 10, 20, 30).c_str());
  EXPECT_EQ(show.pictureCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(show.currentIndex(), i);
    EXPECT_FALSE(show.finished());
    show.advance();
  }
  EXPECT_TRUE(show.finished());
  show.advance();
  EXPECT_TRUE(show.finished());
}

TEST(Slideshow, AMissingPictureShiftsTheRest) {
  testfiles::TempDir dir("slides-gap");
  Slideshow show;
  show.addImage(solidPicture(dir, "a.png", 255, 0, 0).c_str());
  show.addImage((dir / "missing.png").c_str());
  show.addImage(solidPicture(dir, "c.png", 0, 255, 0).c_str());
  EXPECT_EQ(show.pictureCount(), 2);

  testgl::resetFrame();
  show.advance();  // the second slide shown is the third file
  show.draw();
  auto centre = testgl::pixel(400, 300);
  EXPECT_EQ(centre[0], 0);
  EXPECT_EQ(centre[1], 255);
}

TEST(Slideshow, NoPictureAtAllIsFinishedAtOnce) {
  testfiles::TempDir dir("slides-none");
  Slideshow show;
  show.addImage((dir / "nothing.png").c_str());
  EXPECT_EQ(show.currentIndex(), 0);
  EXPECT_TRUE(show.finished());
  show.draw();  // a blank quad with no texture, not a read past the array
  EXPECT_EQ(boundTexture(), 0);
}

TEST(Slideshow, DrawFillsTheWindowAndBindsNothingPastTheEnd) {
  testfiles::TempDir dir("slides-draw");
  Slideshow show;
  show.addImage(solidPicture(dir, "red.png", 255, 0, 0).c_str());
  testgl::resetFrame(0, 0, 1);
  show.draw();
  // Clamped edges blend with the border colour within one texel, so look just inside them.
  for (auto [x, y] : {std::pair{20, 20}, {779, 20}, {20, 579}, {779, 579}, {400, 300}}) {
    auto p = testgl::pixel(x, y);
    EXPECT_EQ(p[0], 255) << x << "," << y;
    EXPECT_EQ(p[2], 0) << x << "," << y;
  }
  show.advance();
  show.advance();
  show.draw();
  EXPECT_EQ(boundTexture(), 0);

  unsigned texture = TextureRegistry::instance().find(dir / "red.png");
  ASSERT_NE(texture, 0u);
  EXPECT_TRUE(glIsTexture(texture));
  show.deleteTextures();  // the names go back to GL; the registry is not told
  EXPECT_FALSE(glIsTexture(texture));
}
