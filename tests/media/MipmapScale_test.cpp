// The rescaler against the GLU mipmap builder's level 0 for a picture whose
// sides are not powers of two: the same sides, texel for texel.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "media/MipmapScale.h"
#include "support/GlTest.h"

namespace {

// Level 0 of the mipmaps GLU builds, read back: up, down and mixed, from sides
// that divide unevenly, with alpha.
TEST(MipmapScale, PicturesComeOutAsTheBuildersLevelZero) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (auto [width, height] : {std::pair{512, 240}, {37, 21}, {5, 300}, {129, 3}}) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    for (uint8_t& v : rgba) v = static_cast<uint8_t>(byte(random));
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data()), 0);
    GLint builtWidth = 0, builtHeight = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &builtWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &builtHeight);
    ASSERT_EQ(builtWidth, mipmapSide(width));
    ASSERT_EQ(builtHeight, mipmapSide(height));
    std::vector<uint8_t> built(static_cast<size_t>(builtWidth) * builtHeight * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, built.data());
    EXPECT_EQ(scaleAsMipmapBuilder(rgba, width, height, builtWidth, builtHeight), built) << width << " by " << height;
  }
  glDeleteTextures(1, &texture);
}

}  // namespace
