// The FreeType font on a real GL context: glyph textures, pen movement, lines,
// formatting and the load failures. Text is drawn white on black in the pixel
// overlay, as the score display draws it, and found again in the back buffer.
#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "media/FontManager.h"
#include "render/Render.h"
#include "support/Files.h"
#include "support/GlTest.h"

namespace {

const char* const kFont = assets::kFont;
constexpr unsigned kHeight = 32;
constexpr float kX = 100, kY = 400;  // pen origin in window pixels

using testgl::Frame;
using Ink = testgl::Box;  // around the lit pixels

Frame drawn(const std::function<void(FontManager&)>& print, float x = kX, float y = kY) {
  testgl::resetFrame();
  overlayBegin(0, testgl::kWidth, 0, testgl::kHeight);
  translate(x, y, 0);
  print(FontManager::instance());
  overlayEnd();
  return testgl::readFrame();
}

Ink inkOf(const Frame& frame) {
  return testgl::boxWhere(frame, [](const uint8_t* rgba) { return rgba[0] > 32; });
}

Ink inkOf(const char* text) {
  return inkOf(drawn([&](FontManager& font) { font.print("%s", text); }));
}

std::string throwMessage(const std::string& path) {
  try {
    FontManager::instance().load(path.c_str(), kHeight);
  } catch (const FontError& error) {
    return error.what();
  }
  return "no throw";
}

// The texture a drawn glyph left bound, with its level-0 size.
std::pair<int, int> boundTextureSize() {
  int width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  return {width, height};
}

uint32_t bigEndian(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = 0; i < size; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

// Offset of a TrueType table in the font file.
size_t tableOffset(const std::string& font, const char* tag) {
  uint32_t tables = bigEndian(font, 4, 2);
  for (uint32_t i = 0; i < tables; ++i) {
    size_t record = 12 + 16 * i;
    if (font.compare(record, 4, tag) == 0) return bigEndian(font, record + 8, 4);
  }
  throw std::runtime_error(std::string("no table ") + tag);
}

// A copy of the font whose outline for ch claims 32767 contours: the face
// opens, but that glyph does not load.
std::string fontWithBrokenGlyph(const testfiles::TempDir& dir, char ch) {
  std::ifstream in(kFont, std::ios::binary);
  std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  FT_Library library;
  FT_Face face;
  FT_Init_FreeType(&library);
  FT_New_Face(library, kFont, 0, &face);
  FT_UInt glyph = FT_Get_Char_Index(face, ch);
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  bool shortLoca = bigEndian(font, tableOffset(font, "head") + 50, 2) == 0;
  size_t loca = tableOffset(font, "loca");
  size_t start = shortLoca ? 2 * bigEndian(font, loca + 2 * glyph, 2) : bigEndian(font, loca + 4 * glyph, 4);
  size_t contours = tableOffset(font, "glyf") + start;
  font[contours] = 0x7f;
  font[contours + 1] = static_cast<char>(0xff);
  std::string path = dir / "broken.ttf";
  std::ofstream(path, std::ios::binary) << font;
  return path;
}

class Font : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { FontManager::instance().load(kFont, kHeight); }
};

TEST(GlyphTextureLayout, SidesArePowersOfTwoAndTheCornerIsWhereTheBitmapEnds) {
  GlyphTexture g = glyphTexture(5, 9);
  EXPECT_EQ(g.width, 8);
  EXPECT_EQ(g.height, 16);
  EXPECT_FLOAT_EQ(g.s, 0.625f);
  EXPECT_FLOAT_EQ(g.t, 0.5625f);

  GlyphTexture empty = glyphTexture(0, 0);
  EXPECT_EQ(empty.width, 1);
  EXPECT_EQ(empty.height, 1);
  EXPECT_EQ(empty.s, 0.0f);
  EXPECT_EQ(empty.t, 0.0f);

  GlyphTexture exact = glyphTexture(16, 1);
  EXPECT_EQ(exact.width, 16);
  EXPECT_EQ(exact.height, 1);
  EXPECT_EQ(exact.s, 1.0f);
  EXPECT_EQ(exact.t, 1.0f);
  EXPECT_EQ(glyphTexture(17, 2).width, 32);
  EXPECT_EQ(glyphTexture(17, 2).height, 2);
}

TEST_F(Font, ARealGlyphGetsThePowerOfTwoTextureOfItsBitmap) {
  FT_Library library;
  FT_Face face;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  ASSERT_EQ(FT_New_Face(library, kFont, 0, &face), 0);
  FT_Set_Char_Size(face, kHeight * 64, kHeight * 64, 96, 96);
  ASSERT_EQ(FT_Load_Char(face, 'A', FT_LOAD_RENDER), 0);
  GlyphTexture expected = glyphTexture(face->glyph->bitmap.width, face->glyph->bitmap.rows);
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  drawn([](FontManager& font) { font.print("A"); });
  EXPECT_EQ(boundTextureSize(), std::make_pair(expected.width, expected.height));
  drawn([](FontManager& font) { font.print(" "); });
  EXPECT_EQ(boundTextureSize(), std::make_pair(1, 1)) << "a space has an empty bitmap";
}

TEST_F(Font, AnEmptyGlyphDrawsNothingButMovesThePen) {
  EXPECT_TRUE(inkOf(" ").empty());
  Ink together = inkOf("AB"), apart = inkOf("A B");
  ASSERT_FALSE(together.empty());
  EXPECT_EQ(apart.left, together.left);
  EXPECT_GT(apart.right, together.right + 3);
  EXPECT_TRUE(inkOf("").empty());
}

TEST_F(Font, LinesGoDownwardsByTheLineSpacing) {
  EXPECT_FLOAT_EQ(FontManager::instance().lineSpacing(), 50.79365f);
  Ink a = inkOf("A"), b = inkOf("B"), both = inkOf("A\nB");
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(both.top, a.top);
  EXPECT_NEAR(both.bottom, b.bottom - 50.79365f, 1.0);
  EXPECT_EQ(both.left, std::min(a.left, b.left));
  EXPECT_EQ(drawn([](FontManager& f) { f.print("A\n"); }), drawn([](FontManager& f) { f.print("A"); }));
}

TEST_F(Font, TextIsFormattedOnceSoAPercentSignShows) {
  Frame viaString = drawn([](FontManager& f) { f.print("%s", "%d%s 100%"); });
  EXPECT_EQ(viaString, drawn([](FontManager& f) { f.print("%%d%%s 100%%"); }));
  EXPECT_FALSE(inkOf(viaString).empty());
  EXPECT_EQ(drawn([](FontManager& f) { f.print("%d-%s", 42, "x"); }),
            drawn([](FontManager& f) { f.print("42-x"); }));
}

TEST_F(Font, TextIsCutAfter255Characters) {
  // 250 newlines put characters 250 and on onto the last line, whose origin
  // is moved to kY: of "ABCDEFFF..." only "ABCDE" fits in the 255.
  std::string text(250, '\n');
  text += "ABCDE" + std::string(45, 'F');
  float top = kY + 250 * FontManager::instance().lineSpacing();
  Ink cut = inkOf(drawn([&](FontManager& f) { f.print("%s", text.c_str()); }, kX, top));
  Ink expected = inkOf("ABCDE"), longer = inkOf("ABCDEF");
  EXPECT_NEAR(cut.right, expected.right, 1);
  EXPECT_NEAR(cut.left, expected.left, 1);
  EXPECT_LT(cut.right, longer.right - 3);
}

TEST_F(Font, BytesAbove127AreSkipped) {
  EXPECT_EQ(drawn([](FontManager& f) { f.print("A\xC3\xA9\x80\xFF" "B"); }),
            drawn([](FontManager& f) { f.print("AB"); }));
}

TEST_F(Font, EachLoadReplacesTheFontAndItsSize) {
  FontManager& font = FontManager::instance();
  font.load(kFont, 24);
  EXPECT_FLOAT_EQ(font.lineSpacing(), 24 * 1.5873016f);
  Ink small = inkOf("H");
  font.load(kFont, kHeight);
  Ink large = inkOf("H");
  EXPECT_GT(large.top - large.bottom, small.top - small.bottom + 4);
}

TEST_F(Font, AMissingOrBrokenFileThrowsAndKeepsTheFontBefore) {
  const std::string kNewFaceFailed = "FT_New_Face failed (there is probably a problem with your font file)";
  Frame before = drawn([](FontManager& f) { f.print("Score 12"); });
  testfiles::TempDir dir("font");
  std::ofstream(dir / "garbage.ttf") << "not a font, just some words in a file";

  EXPECT_EQ(throwMessage(dir / "missing.ttf"), kNewFaceFailed);
  EXPECT_EQ(throwMessage(dir / "garbage.ttf"), kNewFaceFailed);
  EXPECT_EQ(throwMessage(dir.path()), kNewFaceFailed) << "a directory is no font";
  EXPECT_EQ(throwMessage(fontWithBrokenGlyph(dir, 'A')), "FT_Load_Glyph failed");
  EXPECT_FLOAT_EQ(FontManager::instance().lineSpacing(), 50.79365f);
  EXPECT_EQ(drawn([](FontManager& f) { f.print("Score 12"); }), before);
}

}  // namespace
