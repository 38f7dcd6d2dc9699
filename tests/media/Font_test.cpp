// The FreeType font on a real GL context: glyph textures, pen movement, lines,
// formatting, the load failures, and bitmap-only and oversized fonts. Text is drawn white on black in the pixel
// overlay, as the score display draws it, and found again in the back buffer.
#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "media/FontManager.h"
#include "render/Render.h"
#include "support/Files.h"
#include "support/GlTest.h"
#include "support/Hostile.h"

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

// A copy of the font whose outline for ch claims 32767 contours: the face
// opens, but that glyph does not load.
std::string fontWithBrokenGlyph(const testfiles::TempDir& dir, char ch) {
  std::vector<uint8_t> font = testfiles::readBytes(kFont);
  FT_Library library;
  FT_Face face;
  FT_Init_FreeType(&library);
  FT_New_Face(library, kFont, 0, &face);
  FT_UInt glyph = FT_Get_Char_Index(face, ch);
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  using hostile::bigEndian, hostile::tableOffset;
  bool shortLoca = bigEndian(font, tableOffset(font, "head") + 50, 2) == 0;
  size_t loca = tableOffset(font, "loca");
  size_t start = shortLoca ? 2 * bigEndian(font, loca + 2 * glyph, 2) : bigEndian(font, loca + 4 * glyph, 4);
  size_t contours = tableOffset(font, "glyf") + start;
  font.at(contours) = 0x7f;
  font.at(contours + 1) = 0xff;
  std::string path = dir / "broken.ttf";
  testfiles::writeBytes(path, font);
  return path;
}


// A bitmap-only font in BDF, FreeType's text format for them, at the given bits
// per pixel (1, 2, 4 or 8); each glyph is rows of pixel values, top row first.
struct BdfGlyph {
  char ch;
  int left, bottom;  // pixels: left of the pen to the bitmap, baseline to its bottom row
  int advance;       // pixels
  std::vector<std::vector<int>> rows;
};

std::string bdfFont(const std::string& dir, int bitsPerPixel, const std::vector<BdfGlyph>& glyphs) {
  std::ostringstream bdf;
  bdf << "STARTFONT 2.1\nFONT -stomp-test-medium-r-normal--16-160-75-75-c-80-iso10646-1\n"
      << "SIZE 16 75 75 " << bitsPerPixel << "\nFONTBOUNDINGBOX 16 16 0 -2\n"
      << "STARTPROPERTIES 4\nFONT_ASCENT 14\nFONT_DESCENT 2\nCHARSET_REGISTRY \"ISO10646\"\n"
      << "CHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS " << glyphs.size() << "\n";
  for (const BdfGlyph& glyph : glyphs) {
    int width = glyph.rows.empty() ? 0 : static_cast<int>(glyph.rows[0].size());
    bdf << "STARTCHAR c" << int(glyph.ch) << "\nENCODING " << int(glyph.ch) << "\nSWIDTH 500 0\nDWIDTH "
        << glyph.advance << " 0\nBBX " << width << " " << glyph.rows.size() << " " << glyph.left << " "
        << glyph.bottom << "\nBITMAP\n";
    for (const std::vector<int>& row : glyph.rows) {
      std::vector<int> bytes((width * bitsPerPixel + 7) / 8, 0);
      for (int x = 0; x < width; ++x)  // the leftmost pixel in the high bits
        bytes[x * bitsPerPixel / 8] |= row[x] << (8 - bitsPerPixel - x * bitsPerPixel % 8);
      for (int byte : bytes) bdf << std::hex << std::setw(2) << std::setfill('0') << byte << std::dec;
      bdf << "\n";
    }
    bdf << "ENDCHAR\n";
  }
  bdf << "ENDFONT\n";
  std::string path = dir + "/bitmap" + std::to_string(bitsPerPixel) + ".bdf";
  std::ofstream(path) << bdf.str();
  return path;
}

// Rows of a glyph drawn as '#' (full) and '.' (empty) at 1 bit per pixel.
std::vector<std::vector<int>> picture(const std::vector<std::string>& art) {
  std::vector<std::vector<int>> rows;
  for (const std::string& line : art) {
    rows.emplace_back();
    for (char c : line) rows.back().push_back(c == '#');
  }
  return rows;
}

// Red channel of the window pixel under glyph pixel (x, y), counted from the
// glyph's top left, for a glyph drawn at the pen origin.
int underGlyph(const Frame& frame, const BdfGlyph& glyph, int x, int y) {
  int top = static_cast<int>(kY) + glyph.bottom + static_cast<int>(glyph.rows.size()) - 1;
  int column = static_cast<int>(kX) + glyph.left + x;
  return frame.at(column, top - y)[0];
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

  allowFillShortcut(FillShortcut::PackedSprites, false);  // each glyph from its own texture, not the atlas
  drawn([](FontManager& font) { font.print("A"); });
  EXPECT_EQ(boundTextureSize(), std::make_pair(expected.width, expected.height));
  drawn([](FontManager& font) { font.print(" "); });
  EXPECT_EQ(boundTextureSize(), std::make_pair(1, 1)) << "a space has an empty bitmap";
  allowFillShortcut(FillShortcut::PackedSprites, true);
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
  text.append("ABCDE").append(45, 'F');  // not "ABCDE" + std::string: GCC 12 at -O2 warns of it falsely
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

  EXPECT_EQ(throwMessage(dir / "missing.ttf"), "No such file or directory");
  EXPECT_EQ(throwMessage(dir / "garbage.ttf"), kNewFaceFailed);
  EXPECT_EQ(throwMessage(dir.path()), "Is a directory");
  EXPECT_EQ(throwMessage(fontWithBrokenGlyph(dir, 'A')), "FT_Load_Glyph failed");
  EXPECT_FLOAT_EQ(FontManager::instance().lineSpacing(), 50.79365f);
  EXPECT_EQ(drawn([](FontManager& f) { f.print("Score 12"); }), before);
}

}  // namespace

// Fonts of other kinds; each test puts the game's font back.
class OtherFont : public ::testing::Test {
 protected:
  ~OtherFont() override { FontManager::instance().load(kFont, kHeight); }
  testfiles::TempDir folder{"other-font"};
  std::string dir = folder.path().string();
};

TEST_F(OtherFont, ABitmapOnlyFontDrawsEachPixelOfItsGlyphs) {
  const BdfGlyph one{'1', 1, 0, 8, picture({"..##..", ".###..", "#.##..", "..##..", "..##..", "######"})};
  const BdfGlyph two{'2', 0, -1, 7, picture({".####.", "##..##", "...##.", "..##..", ".##...", "######"})};
  FontManager::instance().load(bdfFont(dir, 1, {one, two}).c_str(), kHeight);
  for (const BdfGlyph& glyph : {one, two}) {
    SCOPED_TRACE(glyph.ch);
    Frame frame = drawn([&](FontManager& f) { f.print("%c", glyph.ch); });
    for (size_t y = 0; y < glyph.rows.size(); ++y)
      for (size_t x = 0; x < glyph.rows[y].size(); ++x)
        EXPECT_EQ(underGlyph(frame, glyph, x, y), glyph.rows[y][x] ? 255 : 0) << "pixel " << x << "," << y;
  }
  Ink pair = inkOf("12"), first = inkOf("1");
  EXPECT_EQ(pair.left, first.left);
  EXPECT_EQ(pair.right, static_cast<int>(kX) + one.advance + 5) << "the second glyph starts one advance on";
}

// Glyphs whose sides are powers of two wrap round at their edges in their own
// textures; magnified and tilted, from the atlas they draw the same.
TEST_F(OtherFont, TextFromTheAtlasDrawsAsGlyphByGlyph) {
  const BdfGlyph full{'F', 0, 0, 9, picture({"########", "#......#", "#.####.#", "#.#..#.#", "#.#..#.#", "#.####.#",
                                             "#......#", "########"})};
  const BdfGlyph odd{'o', 1, 0, 7, picture({".###.", "##.##", "#...#", "##.##", ".###."})};
  FontManager::instance().load(bdfFont(dir, 1, {full, odd}).c_str(), kHeight);
  auto tilted = [](FontManager& f) {
    rotate(7, 0, 0, 1);
    scale(9.3f, 9.3f, 1);
    f.print("FoF");
  };
  Frame packed = drawn(tilted, 20, 200);
  allowFillShortcut(FillShortcut::PackedSprites, false);
  Frame own = drawn(tilted, 20, 200);
  allowFillShortcut(FillShortcut::PackedSprites, true);
  int largest = 0;
  for (size_t i = 0; i < own.rgba.size(); ++i) largest = std::max(largest, std::abs(own.rgba[i] - packed.rgba[i]));
  EXPECT_LE(largest, 2);
  EXPECT_FALSE(inkOf(own).empty());
}

TEST_F(OtherFont, GreyBitmapsOfTwoFourAndEightBitsKeepTheirLevels) {
  for (int bits : {2, 4, 8}) {
    SCOPED_TRACE(testing::Message() << bits << " bits per pixel");
    const int top = (1 << bits) - 1;
    const BdfGlyph ramp{'A', 0, 0, 12, {{0, 1, top / 3, top / 2, top - 1, top}, {top, 0, top, 0, top, 0}}};
    FontManager::instance().load(bdfFont(dir, bits, {ramp}).c_str(), kHeight);
    Frame frame = drawn([](FontManager& f) { f.print("A"); });
    for (size_t y = 0; y < ramp.rows.size(); ++y)
      for (size_t x = 0; x < ramp.rows[y].size(); ++x) {
        // Luminance and alpha are both the coverage, blended over black.
        int coverage = ramp.rows[y][x] * 255 / top;
        EXPECT_NEAR(underGlyph(frame, ramp, x, y), coverage * coverage / 255, 2) << "pixel " << x << "," << y;
      }
  }
}

TEST_F(OtherFont, AGlyphOver256PixelsOnASideIsEmptyButMovesThePen) {
  auto row = [](int width) { return std::vector<std::vector<int>>{std::vector<int>(width, 1)}; };
  auto column = [](int height) { return std::vector<std::vector<int>>(height, std::vector<int>{1}); };
  const std::vector<BdfGlyph> glyphs = {{'w', 0, 0, 260, row(256)},     {'W', 0, 0, 20, row(257)},
                                        {'t', 0, -200, 3, column(256)}, {'T', 0, -200, 20, column(257)},
                                        {'i', 0, 0, 2, column(4)}};
  FontManager::instance().load(bdfFont(dir, 1, glyphs).c_str(), kHeight);
  Ink wide = inkOf("w"), tall = inkOf("t");
  EXPECT_EQ(wide.right - wide.left + 1, 256);
  EXPECT_EQ(tall.top - tall.bottom + 1, 256);
  EXPECT_TRUE(inkOf("W").empty());
  EXPECT_TRUE(inkOf("T").empty());
  EXPECT_EQ(inkOf("Wi").left, inkOf("i").left + 20);
  EXPECT_EQ(inkOf("Ti").left, inkOf("i").left + 20);
}

TEST_F(OtherFont, AnOutlineFontOfGiantGlyphsLoadsWithEveryGlyphEmpty) {
  std::string path = dir + "/giant.ttf";
  std::filesystem::copy_file(kFont, path);
  hostile::makeGlyphsGiant(path);

  FontManager::instance().load(path.c_str(), kHeight);
  EXPECT_TRUE(inkOf("Best 12").empty());
  allowFillShortcut(FillShortcut::PackedSprites, false);  // the glyph's own texture
  drawn([](FontManager& f) { f.print("A"); });
  EXPECT_EQ(boundTextureSize(), std::make_pair(1, 1));
  allowFillShortcut(FillShortcut::PackedSprites, true);
}
