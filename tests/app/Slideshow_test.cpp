// The slideshow: pictures kept in order, failures left out, the end reached,
// and drawing the current picture over the whole window.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
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
  for (int i = 0; i < 4; ++i) show.addImage(solidPicture(dir, std::string("s").append(std::to_string(i)).append(".png"), 10, 20, 30).c_str());
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

TEST(Slideshow, EachCornerOfTheWindowShowsThePicturesCornerTexel) {
  // 16x12 mid grey with a colour of its own in each corner texel, top row first.
  constexpr int kW = 16, kH = 12;
  const std::array<uint8_t, 3> topLeft{200, 30, 30}, topRight{30, 200, 30}, bottomLeft{30, 30, 200},
      bottomRight{230, 230, 40};
  std::vector<uint8_t> rgba(kW * kH * 4, 128);
  auto paint = [&](int x, int y, const std::array<uint8_t, 3>& c) {
    std::copy(c.begin(), c.end(), rgba.begin() + (y * kW + x) * 4);
  };
  paint(0, 0, topLeft);
  paint(kW - 1, 0, topRight);
  paint(0, kH - 1, bottomLeft);
  paint(kW - 1, kH - 1, bottomRight);
  for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
  testfiles::TempDir dir("slides-corners");
  testfiles::writePng(dir / "corners.png", kW, kH, rgba);

  Slideshow show;
  show.addImage((dir / "corners.png").c_str());
  testgl::resetFrame();
  show.draw();
  const int right = testgl::kWidth - 1, top = testgl::kHeight - 1;
  struct Corner {
    int x, y;  // window pixel, from the bottom left
    std::array<uint8_t, 3> texel;
  };
  for (const Corner& c : {Corner{0, top, topLeft}, Corner{right, top, topRight}, Corner{0, 0, bottomLeft},
                          Corner{right, 0, bottomRight}}) {
    auto seen = testgl::pixel(c.x, c.y);
    for (int channel = 0; channel < 3; ++channel)
      EXPECT_NEAR(seen[channel], c.texel[channel], 8) << "pixel " << c.x << "," << c.y << " channel " << channel;
  }
}
