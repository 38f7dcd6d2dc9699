// The committed pictures under res/images: each loads through the game's own
// texture layer, and has the properties that matter once it is on screen.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "media/PngImage.h"
#include "media/Texture.h"
#include "media/TgaImage.h"
#include "support/GlTest.h"

namespace {

constexpr int kMaxSpriteSide = 256;  // pixels
constexpr int kMaxLargeSide = 1024;  // floor and slides
constexpr uint8_t kOpaque = 255;

const std::vector<std::string> kSlides(std::begin(assets::kSlides), std::end(assets::kSlides));
const std::vector<std::string> kFeet(std::begin(assets::kFeet), std::end(assets::kFeet));
// Cut-outs on a transparent background, drawn as quads in the scene.
const std::vector<std::string> kSprites = [] {
  std::vector<std::string> sprites = {assets::kVictimHead, assets::kVictimBody, assets::kVictimArm, assets::kSplatter,
                                      assets::kPadIndicator};
  sprites.insert(sprites.end(), kFeet.begin(), kFeet.end());
  return sprites;
}();

std::vector<std::string> everyPicture() {
  std::vector<std::string> all = kSprites;
  all.insert(all.end(), kSlides.begin(), kSlides.end());
  all.insert(all.end(), std::begin(assets::kSkylines), std::end(assets::kSkylines));
  all.insert(all.end(), {assets::kFloor, assets::kShadow});
  return all;
}

bool isSlide(const std::string& name) { return std::find(kSlides.begin(), kSlides.end(), name) != kSlides.end(); }
bool isSkyline(const std::string& name) {
  return std::find(std::begin(assets::kSkylines), std::end(assets::kSkylines), name) != std::end(assets::kSkylines);
}

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // top row first
  const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
  uint8_t alpha(int x, int y) const { return at(x, y)[3]; }
};

Picture decodePng(const std::string& path) {
  PngImage png;
  EXPECT_TRUE(png.load(path.c_str(), false)) << path;
  return {png.width, png.height, png.rgba};
}

bool rowHasOpaque(const Picture& p, int y) {
  for (int x = 0; x < p.width; ++x)
    if (p.alpha(x, y) == kOpaque) return true;
  return false;
}

int lowestOpaqueRow(const Picture& p) {
  for (int y = p.height - 1; y >= 0; --y)
    if (rowHasOpaque(p, y)) return y;
  return -1;
}

double opaqueFraction(const Picture& p) {
  size_t n = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) n += p.alpha(x, y) > 127;
  return double(n) / (size_t(p.width) * p.height);
}

bool allOpaque(const Picture& p) {
  for (size_t i = 3; i < p.rgba.size(); i += 4)
    if (p.rgba[i] != kOpaque) return false;
  return true;
}

double luminance(const uint8_t* px) { return 0.299 * px[0] + 0.587 * px[1] + 0.114 * px[2]; }

TEST(Pictures, EveryFileLoadsAsAnRgbaTextureOfItsOwnSize) {
  for (const std::string& name : everyPicture()) {
    SCOPED_TRACE(name);
    unsigned texture = TextureRegistry::instance().getTexture(name, 0);
    ASSERT_NE(texture, 0u);
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, height = 0, red = 0, alpha = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_RED_SIZE, &red);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alpha);
    EXPECT_EQ(red, 8);
    EXPECT_EQ(alpha, 8);
    int limit = isSlide(name) || isSkyline(name) || name == assets::kFloor ? kMaxLargeSide : kMaxSpriteSide;
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_LE(std::max(width, height), limit);
  }
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(Pictures, ShadowIsA32BitTgaFadingFromADarkCentreToATransparentEdge) {
  TgaImage tga;
  ASSERT_TRUE(tga.load(assets::kShadow, false));
  EXPECT_TRUE(tga.imageType == 2 || tga.imageType == 10);
  EXPECT_EQ(tga.depth, 32);
  EXPECT_EQ(tga.bits, 32);
  ASSERT_EQ(tga.width, tga.height);
  int n = tga.width, c = n / 2;
  auto px = [&](int x, int y) { return &tga.pixels[(size_t(y) * n + x) * 4]; };
  EXPECT_GE(px(c, c)[3], 160);
  EXPECT_LT(luminance(px(c, c)), 40);
  // Along each of the four half-axes the alpha never rises, and it reaches 0.
  const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const auto& s : steps) {
    int previous = 256;
    for (int x = c, y = c; x >= 0 && y >= 0 && x < n && y < n; x += s[0], y += s[1]) {
      int a = px(x, y)[3];
      EXPECT_LE(a, previous) << x << "," << y;
      previous = a;
    }
    EXPECT_EQ(previous, 0);
  }
  for (int y : {0, n - 1})
    for (int x : {0, n - 1}) EXPECT_EQ(px(x, y)[3], 0);
}

TEST(Pictures, SpritesHaveFullyTransparentCornersAndVisibleContent) {
  for (const std::string& name : kSprites) {
    SCOPED_TRACE(name);
    Picture p = decodePng(name);
    ASSERT_GT(p.width, 0);
    for (int y : {0, p.height - 1})
      for (int x : {0, p.width - 1}) EXPECT_EQ(p.alpha(x, y), 0) << x << "," << y;
    EXPECT_GT(opaqueFraction(p), 0.05);
  }
}

TEST(Pictures, SlidesAreOpaqueFourByThreeAndAtLeastWindowSized) {
  for (const std::string& name : kSlides) {
    SCOPED_TRACE(name);
    Picture p = decodePng(name);
    EXPECT_EQ(p.width * 3, p.height * 4);
    EXPECT_GE(p.width, 800);
    EXPECT_TRUE(allOpaque(p));
  }
}

TEST(Pictures, FloorIsAnOpaqueSquareOfNinePadSquaresThatLooksTheSameFromEverySide) {
  Picture p = decodePng(assets::kFloor);
  ASSERT_EQ(p.width, p.height);
  EXPECT_TRUE(allOpaque(p));
  int n = p.width;
  // Turned a quarter, the picture is the same but for anti-aliasing noise.
  double total = 0;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x)
      for (int k = 0; k < 3; ++k) total += std::abs(int(p.at(x, y)[k]) - int(p.at(n - 1 - y, x)[k]));
  EXPECT_LT(total / (double(n) * n * 3), 0.5);
  // Bright pad squares, separated by dark borders on the grid lines.
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      int cx = n * (2 * col + 1) / 6, cy = n * (2 * row + 1) / 6;
      EXPECT_GT(luminance(p.at(cx + n / 12, cy)), 120) << "square " << row << "," << col;
      if (col < 2) {
        EXPECT_LT(luminance(p.at(n * (col + 1) / 3, cy)), 70) << "border right of " << row << "," << col;
      }
      if (row < 2) {
        EXPECT_LT(luminance(p.at(cx, n * (row + 1) / 3)), 70) << "border below " << row << "," << col;
      }
    }
}

TEST(Pictures, VictimPartsAreShapedForTheQuadsTheGameDrawsThemOn) {
  Picture body = decodePng(assets::kVictimBody);
  EXPECT_EQ(lowestOpaqueRow(body), body.height - 1) << "the body stands on the bottom edge";

  Picture arm = decodePng(assets::kVictimArm);
  EXPECT_EQ(arm.alpha(arm.width / 2, arm.height - 1), kOpaque) << "the shoulder is at the bottom centre";
  bool handAtTop = false;
  for (int y = 0; y < arm.height / 8; ++y) handAtTop = handAtTop || rowHasOpaque(arm, y);
  EXPECT_TRUE(handAtTop);

  Picture head = decodePng(assets::kVictimHead);
  double sum = 0, weighted = 0;
  for (int y = 0; y < head.height; ++y)
    for (int x = 0; x < head.width; ++x) {
      sum += head.alpha(x, y);
      weighted += head.alpha(x, y) * (x + 0.5);
    }
  EXPECT_NEAR(weighted / sum / head.width, 0.5, 0.05) << "the head is centred";
}

TEST(Pictures, FeetComeDownFromTheTopEdgeToASoleNearTheFloorAndDifferFromEachOther) {
  std::vector<Picture> feet;
  for (const std::string& name : kFeet) {
    SCOPED_TRACE(name);
    Picture p = decodePng(name);
    EXPECT_EQ(p.height, 2 * p.width);
    EXPECT_TRUE(rowHasOpaque(p, 0)) << "leg reaches the top edge";
    // The floor crosses the picture 7 % above its bottom edge.
    int sole = lowestOpaqueRow(p);
    EXPECT_GT(sole, p.height * 88 / 100);
    EXPECT_LT(sole, p.height - 1);
    feet.push_back(std::move(p));
  }
  for (size_t i = 0; i < feet.size(); ++i)
    for (size_t j = i + 1; j < feet.size(); ++j) {
      size_t differ = 0;
      for (size_t k = 0; k < feet[i].rgba.size(); ++k) differ += std::abs(feet[i].rgba[k] - feet[j].rgba[k]) > 40;
      EXPECT_GT(differ, feet[i].rgba.size() / 10) << kFeet[i] << " and " << kFeet[j];
    }
}

TEST(Pictures, SkylinesAreStripsOfBuildingsOnTheBottomEdgeUnderAnEmptySky) {
  for (const char* skyline : assets::kSkylines) {
    SCOPED_TRACE(skyline);
    Picture p = decodePng(skyline);
    EXPECT_NEAR(double(p.width) / p.height, 30.0 / 14.0, 0.05);
    for (int x = 0; x < p.width; ++x) {
      ASSERT_EQ(p.alpha(x, 0), 0) << "sky at column " << x;
      ASSERT_EQ(p.alpha(x, p.height - 1), kOpaque) << "ground at column " << x;
    }
  }
}

TEST(Pictures, SplatIsARoundBlobOnATransparentBackground) {
  Picture p = decodePng(assets::kSplatter);
  EXPECT_EQ(p.width, p.height);
  EXPECT_EQ(p.alpha(p.width / 2, p.height / 2), kOpaque);
  double covered = opaqueFraction(p);
  EXPECT_GT(covered, 0.15);
  EXPECT_LT(covered, 0.6);
}

// From the edge to the middle: a soft rise out of nothing, an opaque dark
// outline, then white, so the square reads over pale and dark scenes alike.
TEST(Pictures, PadIndicatorIsAWhiteSquareInADarkOutline) {
  Picture p = decodePng(assets::kPadIndicator);
  const uint8_t* centre = p.at(p.width / 2, p.height / 2);
  EXPECT_EQ(std::vector<uint8_t>(centre, centre + 4), (std::vector<uint8_t>{255, 255, 255, 255}));
  int partial = 0, darkOpaque = 0, previous = -1;
  for (int x = 0; x <= p.width / 2; ++x) {
    int a = p.alpha(x, p.height / 2);
    EXPECT_GE(a, previous) << "alpha rises towards the middle, column " << x;
    partial += a > 0 && a < 255;
    darkOpaque += a == kOpaque && luminance(p.at(x, p.height / 2)) < 60;
    previous = a;
  }
  EXPECT_GE(partial, 3);
  EXPECT_GE(darkOpaque, 3) << "outline pixels";
}

TEST(Pictures, IconIsASquareCutOutAtEachOfItsSizes) {
  for (const assets::Icon& icon : assets::kIcons) {
    SCOPED_TRACE(icon.path);
    Picture p = decodePng(icon.path);
    EXPECT_EQ(p.width, icon.size);
    EXPECT_EQ(p.height, icon.size);
    EXPECT_EQ(p.alpha(0, p.height - 1), 0) << "transparent corner";
    EXPECT_GT(opaqueFraction(p), 0.7);
  }
}

TEST(Pictures, TheWholeResourceTreeStaysUnderSixMegabytes) {
  uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(assets::kResourceDir))
    if (entry.is_regular_file()) bytes += entry.file_size();
  EXPECT_LT(bytes, 6u * 1024 * 1024);
}

}  // namespace
