#include "media/Texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/Assets.h"
#include "media/PictureLimit.h"
#include "render/Render.h"
#include "support/Files.h"
#include "support/GlTest.h"

namespace {

using Rgba = std::array<uint8_t, 4>;
using Rgb = std::array<uint8_t, 3>;

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};
constexpr Rgba kClearWhite{255, 255, 255, 0};  // must never reach the screen with the alpha test on
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgb kBackground{0, 0, 0};

// 4x4 picture, top row first, in 2x2 quadrants: red top left, green top right,
// blue bottom left, transparent bottom right. Sampling a quadrant's centre with
// linear filtering then reads that quadrant's colour only.
std::vector<uint8_t> quadrants() {
  std::vector<uint8_t> rgba;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const Rgba& c = y < 2 ? (x < 2 ? kRed : kGreen) : (x < 2 ? kBlue : kClearWhite);
      rgba.insert(rgba.end(), c.begin(), c.end());
    }
  return rgba;
}

std::vector<uint8_t> plain(const Rgba& colour) {
  std::vector<uint8_t> rgba;
  for (int i = 0; i < 16; ++i) rgba.insert(rgba.end(), colour.begin(), colour.end());
  return rgba;
}

void writePng(const std::string& path, const std::vector<uint8_t>& rgba) { testfiles::writePng(path, 4, 4, rgba); }
void writeTga(const std::string& path, const std::vector<uint8_t>& rgba, uint8_t depth = 32) {
  testfiles::writeTga(path, 4, 4, rgba, depth);
}

Rgb rgbAt(int x, int y) {
  Rgba p = testgl::pixel(x, y);
  return {p[0], p[1], p[2]};
}
Rgb rgb(const Rgba& c) { return {c[0], c[1], c[2]}; }

// Replays the list over the whole window (the unit square is the view volume)
// with the overlay's state: texturing, blending and the alpha test on.
void drawFullWindow(unsigned list, bool alphaTest = true) {
  testgl::resetFrame();
  overlayBegin(-0.5f, 0.5f, -0.5f, 0.5f);
  if (!alphaTest) setTexturing(true, false);
  drawQuad(list);
  overlayEnd();
}

// Quadrant centres in window pixels (origin bottom left).
constexpr int kLeft = testgl::kWidth / 4, kRight = 3 * testgl::kWidth / 4;
constexpr int kTop = 3 * testgl::kHeight / 4, kBottom = testgl::kHeight / 4;

void expectQuadrants(bool upright) {
  int top = upright ? kTop : kBottom, bottom = upright ? kBottom : kTop;
  EXPECT_EQ(rgbAt(kLeft, top), rgb(kRed));
  EXPECT_EQ(rgbAt(kRight, top), rgb(kGreen));
  EXPECT_EQ(rgbAt(kLeft, bottom), rgb(kBlue));
  EXPECT_EQ(rgbAt(kRight, bottom), kBackground);
}

unsigned boundTexture() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return static_cast<unsigned>(name);
}

GLint textureParameter(unsigned texture, GLenum parameter) {
  GLint value = 0;
  bindTexture(texture);
  glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
  return value;
}

class TextureTest : public ::testing::Test {
 protected:
  TextureRegistry& registry = TextureRegistry::instance();
  testfiles::TempDir temp{"texture"};
  std::string dir = temp.path().string();

  // The texture and everything printed while getting it.
  std::pair<unsigned, std::string> loadCapturing(const std::string& path, unsigned options = 0) {
    testing::internal::CaptureStdout();
    unsigned texture = registry.getTexture(path, options);
    std::fflush(stdout);
    return {texture, testing::internal::GetCapturedStdout()};
  }
};

TEST_F(TextureTest, FirstLoadPrintsBothFragmentsAndCacheHitPrintsNothing) {
  std::string path = dir + "/floor.png";
  writePng(path, quadrants());
  auto [first, firstOutput] = loadCapturing(path);
  EXPECT_NE(first, 0u);
  EXPECT_TRUE(glIsTexture(first));
  EXPECT_EQ(firstOutput, "\nLoading texture " + path + "...done.");

  auto [again, againOutput] = loadCapturing(path);
  EXPECT_EQ(again, first);
  EXPECT_EQ(againOutput, "");
  EXPECT_EQ(registry.find(path), first);
}

TEST_F(TextureTest, AFailedFileIsTriedAgainOnlyOnceItHasChanged) {
  std::string path = dir + "/late.png";
  const std::string fragments = "\nLoading texture " + path + "...done.";
  EXPECT_EQ(loadCapturing(path), std::make_pair(0u, fragments));
  EXPECT_EQ(loadCapturing(path), std::make_pair(0u, std::string())) << "still missing: not tried again";

  std::ofstream(path) << "not a picture";
  EXPECT_EQ(loadCapturing(path), std::make_pair(0u, fragments)) << "it appeared: tried";
  EXPECT_EQ(loadCapturing(path), std::make_pair(0u, std::string()));

  // Rewritten with the same size, so only its modification time tells.
  std::ofstream(path) << "not a picture";
  auto modified = std::filesystem::last_write_time(path);
  std::filesystem::last_write_time(path, modified + std::chrono::seconds(1));
  EXPECT_EQ(loadCapturing(path), std::make_pair(0u, fragments));
  EXPECT_EQ(registry.find(path), 0u);

  writePng(path, quadrants());
  auto [texture, output] = loadCapturing(path);
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(output, fragments);
  EXPECT_EQ(registry.find(path), texture);
}

TEST_F(TextureTest, NamesDifferingOnlyInCaseAreSeparateEntries) {
  writePng(dir + "/FLOOR.png", plain(kRed));
  writePng(dir + "/floor.png", plain(kGreen));
  unsigned upper = registry.getTexture(dir + "/FLOOR.png", 0);
  unsigned lower = registry.getTexture(dir + "/floor.png", 0);
  EXPECT_NE(upper, 0u);
  EXPECT_NE(lower, 0u);
  EXPECT_NE(upper, lower);
  EXPECT_EQ(registry.find(dir + "/FLOOR.png"), upper);
  EXPECT_EQ(registry.find(dir + "/floor.png"), lower);
  EXPECT_EQ(registry.find(dir + "/Floor.png"), 0u);
}

TEST_F(TextureTest, ExtensionIsTakenFromTheLastDotIgnoringCase) {
  writePng(dir + "/upper.PNG", quadrants());
  writeTga(dir + "/mixed.Tga", quadrants());
  EXPECT_NE(registry.getTexture(dir + "/upper.PNG", 0), 0u);
  EXPECT_NE(registry.getTexture(dir + "/mixed.Tga", 0), 0u);

  const std::string noExtension = std::string(assets::kResourceDir) + "images/picture";  // the only dot is in "./"
  EXPECT_EQ(loadCapturing(noExtension), std::make_pair(0u, "\nLoading texture " + noExtension + "...done."));
  // A valid picture whose last dot is not its extension's.
  std::filesystem::create_directory(dir + "/shots.png");
  writePng(dir + "/shots.png/picture", quadrants());
  EXPECT_EQ(registry.getTexture(dir + "/shots.png/picture", 0), 0u);
}

TEST_F(TextureTest, UndecodableFilesGiveZero) {
  std::ofstream(dir + "/text.png") << "not a picture at all";
  writePng(dir + "/whole.png", quadrants());
  std::vector<uint8_t> whole = testfiles::readBytes(dir + "/whole.png");
  testfiles::writeBytes(dir + "/cut.png", {whole.begin(), whole.begin() + whole.size() / 2});
  writeTga(dir + "/grey.tga", quadrants(), 8);  // decodes, but only 32-bit pictures become textures
  for (const char* name : {"/text.png", "/cut.png", "/grey.tga"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(registry.getTexture(dir + name, 0), 0u);
  }
}

TEST_F(TextureTest, PicturesUpToTheSideLimitLoad) {
  GLint renderer = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &renderer);
  const int limit = std::min<int>(renderer, kMaxPictureSide);
  for (const char* extension : {".png", ".tga"}) {
    SCOPED_TRACE(extension);
    for (auto [w, h, loads] : {std::tuple{limit, 1, true}, std::tuple{limit + 1, 1, false}, std::tuple{1, limit + 1, false}}) {
      std::string path = dir + "/" + std::to_string(w) + "x" + std::to_string(h) + extension;
      std::vector<uint8_t> white(static_cast<size_t>(w) * h * 4, 255);
      if (std::string(extension) == ".png")
        testfiles::writePng(path, w, h, white);
      else
        testfiles::writeTga(path, w, h, white);
      EXPECT_EQ(registry.getTexture(path, 0) != 0, loads) << w << " by " << h;
    }
  }
}

TEST_F(TextureTest, LoadedPicturesDrawUprightWithTheirAlpha) {
  writePng(dir + "/picture.png", quadrants());
  writeTga(dir + "/picture.tga", quadrants());
  for (const char* name : {"/picture.png", "/picture.tga"}) {
    SCOPED_TRACE(name);
    unsigned list = QuadBuilder::instance().makeQuadList((dir + name).c_str(), 0, 0);
    drawFullWindow(list);
    expectQuadrants(true);
    // Without the alpha test and blending the transparent texels are there, in their own colour.
    drawFullWindow(list, false);
    EXPECT_EQ(rgbAt(kRight, kBottom), rgb(kClearWhite));
    deleteQuad(list);
  }
}

TEST_F(TextureTest, BottomRowFirstOptionFlipsThePicture) {
  writePng(dir + "/flipped.png", quadrants());
  writeTga(dir + "/flipped.tga", quadrants());
  for (const char* name : {"/flipped.png", "/flipped.tga"}) {
    SCOPED_TRACE(name);
    unsigned list = QuadBuilder::instance().makeQuadList(nullptr, 0, 0);
    bindTexture(registry.getTexture(dir + name, bottomRowFirst));
    drawFullWindow(list);
    expectQuadrants(false);
    deleteQuad(list);
  }
}

TEST_F(TextureTest, WrapModeFollowsRepeatOptionAndFiltersAreLinear) {
  writePng(dir + "/clamped.png", quadrants());
  writePng(dir + "/repeated.png", quadrants());
  writeTga(dir + "/clamped.tga", quadrants());
  writeTga(dir + "/repeated.tga", quadrants());
  for (const char* extension : {".png", ".tga"}) {
    SCOPED_TRACE(extension);
    std::string clamped = dir + "/clamped" + extension, repeated = dir + "/repeated" + extension;
    unsigned clamp = registry.getTexture(clamped, 0), repeat = registry.getTexture(repeated, repeatWrap);
    for (GLenum axis : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
      EXPECT_EQ(textureParameter(clamp, axis), GL_CLAMP_TO_EDGE);
      EXPECT_EQ(textureParameter(repeat, axis), GL_REPEAT);
    }
    EXPECT_EQ(textureParameter(clamp, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(clamp, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  }
}

TEST_F(TextureTest, PicturesBeyondTheBytesLeftForThemAreRefused) {
  TextureRegistry small(2 * pictureBytes(4, 4));
  writePng(dir + "/first.png", quadrants());
  writeTga(dir + "/second.tga", quadrants());
  writePng(dir + "/third.png", quadrants());
  testfiles::writePng(dir + "/dot.png", 1, 1, {kRed.begin(), kRed.end()});
  EXPECT_NE(small.getTexture(dir + "/first.png", 0), 0u);
  EXPECT_NE(small.getTexture(dir + "/second.tga", 0), 0u) << "fills what is left exactly";
  EXPECT_EQ(small.getTexture(dir + "/third.png", 0), 0u);
  EXPECT_EQ(small.getTexture(dir + "/dot.png", 0), 0u);
  EXPECT_NE(registry.getTexture(dir + "/third.png", 0), 0u) << "the game's registry still has room";
}

// Decoded ahead, one after another, the pictures load as they would have, in
// the options each is asked for, and together keep to the bytes left.
TEST_F(TextureTest, PicturesDecodedAheadLoadAsAskedAndKeepToTheBytesLeft) {
  TextureRegistry small(2 * pictureBytes(4, 4));
  writePng(dir + "/upright.png", quadrants());
  writeTga(dir + "/flipped.tga", quadrants());
  writePng(dir + "/third.png", quadrants());
  small.prefetch({dir + "/upright.png", dir + "/flipped.tga", dir + "/third.png"}, 0);
  unsigned list = QuadBuilder::instance().makeQuadList(nullptr, 0, 0);
  bindTexture(small.getTexture(dir + "/upright.png", 0));
  drawFullWindow(list);
  expectQuadrants(true);
  bindTexture(small.getTexture(dir + "/flipped.tga", bottomRowFirst));
  drawFullWindow(list);
  expectQuadrants(false);
  EXPECT_EQ(small.getTexture(dir + "/third.png", 0), 0u);
  deleteQuad(list);
}

TEST_F(TextureTest, ListWithoutPathDrawsWhateverTextureIsBound) {
  writePng(dir + "/yellow.png", plain(kYellow));
  writePng(dir + "/own.png", quadrants());
  unsigned yellow = registry.getTexture(dir + "/yellow.png", 0);
  unsigned bare = QuadBuilder::instance().makeQuadList(nullptr, 0, 0);
  unsigned own = QuadBuilder::instance().makeQuadList((dir + "/own.png").c_str(), 0, 0);

  bindTexture(yellow);
  drawFullWindow(bare);
  EXPECT_EQ(boundTexture(), yellow);
  EXPECT_EQ(rgbAt(kLeft, kTop), rgb(kYellow));
  EXPECT_EQ(rgbAt(kRight, kBottom), rgb(kYellow));

  bindTexture(yellow);
  drawFullWindow(own);  // binds its own texture
  EXPECT_NE(boundTexture(), yellow);
  expectQuadrants(true);
  deleteQuad(bare);
  deleteQuad(own);
}

TEST_F(TextureTest, ListOfAFailedPictureDrawsNothing) {
  writePng(dir + "/yellow.png", plain(kYellow));
  unsigned yellow = registry.getTexture(dir + "/yellow.png", 0);
  unsigned missing = QuadBuilder::instance().makeQuadList((dir + "/missing.png").c_str(), 0, 0);
  bindTexture(yellow);
  drawFullWindow(missing);  // not the yellow texture another pass left bound
  EXPECT_EQ(rgbAt(kLeft, kTop), kBackground);
  EXPECT_EQ(rgbAt(kRight, kBottom), kBackground);
  deleteQuad(missing);
}

TEST_F(TextureTest, AFileThatLoadsOnALaterTryIsCachedFromThen) {
  std::string path = dir + "/late.png";
  EXPECT_EQ(registry.getTexture(path, 0), 0u);
  writePng(path, plain(kYellow));
  unsigned texture = registry.getTexture(path, 0);
  ASSERT_NE(texture, 0u);
  testing::internal::CaptureStdout();
  EXPECT_EQ(registry.getTexture(path, 0), texture);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// Packed, a picture samples as it did from its own texture, right to its
// clamped edges: magnified, every texel and edge shows, blended with its neighbours.
TEST_F(TextureTest, PackedPicturesDrawAsFromTheirOwnTextures) {
  writePng(dir + "/yellow.png", plain(kYellow));
  writePng(dir + "/packed.png", quadrants());
  registry.pack({dir + "/yellow.png", dir + "/packed.png"});
  unsigned list = QuadBuilder::instance().makeQuadList((dir + "/packed.png").c_str(), 0, 0);
  drawFullWindow(list, false);
  EXPECT_NE(boundTexture(), registry.getTexture(dir + "/packed.png", 0));
  testgl::Frame packed = testgl::readFrame();
  allowFillShortcut(FillShortcut::PackedSprites, false);
  drawFullWindow(list, false);
  allowFillShortcut(FillShortcut::PackedSprites, true);
  testgl::Frame own = testgl::readFrame();
  int largest = 0;
  for (size_t i = 0; i < own.rgba.size(); ++i) largest = std::max(largest, std::abs(own.rgba[i] - packed.rgba[i]));
  EXPECT_LE(largest, 1);
  deleteQuad(list);
}

// A pack is a copy of its pictures, kept to what their budget has left.
TEST_F(TextureTest, APackTakesFromThePicturesBudget) {
  std::vector<std::string> paths = {dir + "/one.png", dir + "/two.png"};
  for (const std::string& path : paths) writePng(path, quadrants());
  TextureRegistry full(2 * pictureBytes(4, 4));
  full.pack(paths);
  EXPECT_EQ(full.packedPlace(paths[0]).texture, 0u);
  TextureRegistry roomy(2 * pictureBytes(4, 4) + pictureBytes(4 + 2, 2 * (4 + 2)));  // each bordered by a texel
  roomy.pack(paths);
  EXPECT_NE(roomy.packedPlace(paths[0]).texture, 0u);
}

TEST_F(TextureTest, CentreOffsetsTheUnitSquare) {
  unsigned list = QuadBuilder::instance().makeQuadList(nullptr, 0, 0.5f);
  testgl::resetFrame();
  overlayBegin(-0.5f, 0.5f, -1.f, 1.f);  // y from -1 to 1 over the window's height
  setTexturing(false, false);
  callList(list);
  overlayEnd();
  const Rgb white{255, 255, 255};
  const int middle = testgl::kHeight / 2;
  EXPECT_EQ(rgbAt(1, middle + 1), white);  // bottom edge on y = 0
  EXPECT_EQ(rgbAt(testgl::kWidth - 2, testgl::kHeight - 2), white);  // top edge on y = 1
  EXPECT_EQ(rgbAt(1, middle - 2), kBackground);
  EXPECT_EQ(rgbAt(testgl::kWidth / 2, testgl::kHeight / 4), kBackground);
  deleteQuad(list);
}

}  // namespace
