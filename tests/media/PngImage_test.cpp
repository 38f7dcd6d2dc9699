// The PNG reader: every colour type and depth to 8-bit RGBA with the stored
// values (no gamma conversion), interlaced files, row order and the size limit.
// Files are written through libpng's own writer, sample bytes as stored.
#include "media/PngImage.h"

#include <png.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Files.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct PngFile {
  int width, height, bitDepth, colourType;
  Bytes samples;        // rows as stored, packed; big-endian 16-bit samples
  double gamma = 0;     // file gamma of a gAMA chunk; 0 for none
  Bytes palette = {};   // RGB triples
  Bytes alphas = {};    // tRNS: an alpha per palette entry
  bool interlaced = false;
  bool headerOnly = false;  // the file ends after its header chunks, as a cut file does
};

void write(const std::string& path, const PngFile& file) {
  FILE* out = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, out);
  png_set_IHDR(png, info, file.width, file.height, file.bitDepth, file.colourType,
               file.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (file.gamma > 0) png_set_gAMA(png, info, file.gamma);
  if (!file.palette.empty())
    png_set_PLTE(png, info, reinterpret_cast<const png_color*>(file.palette.data()), file.palette.size() / 3);
  if (!file.alphas.empty()) png_set_tRNS(png, info, file.alphas.data(), file.alphas.size(), nullptr);
  png_write_info(png, info);
  if (!file.headerOnly) {
    const size_t rowBytes = file.samples.size() / file.height;
    std::vector<png_bytep> rows;
    for (int y = 0; y < file.height; ++y) rows.push_back(const_cast<png_bytep>(file.samples.data() + y * rowBytes));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  std::fclose(out);
}

class PngImageTest : public ::testing::Test {
 protected:

  std::string path(const PngFile& file) {
    std::string name = dir_ + "/picture" + std::to_string(files_++) + ".png";
    write(name, file);
    return name;
  }

  testfiles::TempDir folder_{"png"};
  std::string dir_ = folder_.path().string();
  int files_ = 0;
};

TEST_F(PngImageTest, EveryKindOfFileDecodesToItsStoredValues) {
  struct Case {
    const char* what;
    PngFile file;
    Bytes rgba;
  };
  const Case cases[] = {
      {"16-bit grey, mid grey stored as 0x8080",
       {3, 1, 16, PNG_COLOR_TYPE_GRAY, {0x80, 0x80, 0xFF, 0xFF, 0x00, 0x00}},
       {128, 128, 128, 255, 255, 255, 255, 255, 0, 0, 0, 255}},
      {"16-bit RGBA tagged gamma 1.0",
       {1, 1, 16, PNG_COLOR_TYPE_RGBA, {0x80, 0x80, 0x40, 0x40, 0x00, 0x00, 0x80, 0x80}, 1.0},
       {128, 64, 0, 128}},
      {"8-bit RGB tagged gamma 1.0",
       {2, 1, 8, PNG_COLOR_TYPE_RGB, {128, 128, 128, 10, 200, 90}, 1.0},
       {128, 128, 128, 255, 10, 200, 90, 255}},
      {"8-bit grey and alpha tagged gamma 1/2.2",
       {1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {100, 50}, 1 / 2.2},
       {100, 100, 100, 50}},
      {"4-bit palette with alphas for its first entry",
       {3, 1, 4, PNG_COLOR_TYPE_PALETTE, {0x01, 0x10}, 0, {10, 20, 30, 40, 50, 60}, {128}},
       {10, 20, 30, 128, 40, 50, 60, 255, 40, 50, 60, 255}},
      {"1-bit grey", {3, 1, 1, PNG_COLOR_TYPE_GRAY, {0xA0}}, {255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PngImage image;
    ASSERT_TRUE(image.load(path(c.file).c_str(), false));
    EXPECT_EQ(image.width, c.file.width);
    EXPECT_EQ(image.height, c.file.height);
    EXPECT_EQ(image.rgba, c.rgba);
  }
}

TEST_F(PngImageTest, InterlacedFilesDecodeAsPlainOnesInEitherRowOrder) {
  constexpr int kSide = 9;  // every Adam7 pass has pixels, some rows none
  Bytes samples;
  for (int i = 0; i < kSide * kSide; ++i) samples.insert(samples.end(), {uint8_t(i), uint8_t(3 * i), uint8_t(255 - i)});
  PngFile plain{kSide, kSide, 8, PNG_COLOR_TYPE_RGB, samples};
  PngFile interlaced = plain;
  interlaced.interlaced = true;
  for (bool bottomRowFirst : {false, true}) {
    SCOPED_TRACE(bottomRowFirst ? "bottom row first" : "top row first");
    PngImage expected, image;
    ASSERT_TRUE(expected.load(path(plain).c_str(), bottomRowFirst));
    ASSERT_TRUE(image.load(path(interlaced).c_str(), bottomRowFirst));
    EXPECT_EQ(image.rgba, expected.rgba);
    const size_t lastRow = (kSide - 1) * kSide * 4;
    EXPECT_EQ(image.rgba[bottomRowFirst ? lastRow : 0], 0) << "pixel 0 opens the top row";
  }
}

TEST_F(PngImageTest, PicturesOverTheSideLimitOrCutShortAreRefused) {
  PngImage atLimit;
  ASSERT_TRUE(atLimit.load(path({8, 1, 8, PNG_COLOR_TYPE_GRAY, Bytes(8, 1)}).c_str(), false, 8, 8 * 4));
  EXPECT_EQ(atLimit.rgba.size(), 8u * 4);

  struct Case {
    const char* what;
    PngFile file;
    int maxSide;
    size_t maxBytes;
  };
  const PngFile eight{8, 1, 8, PNG_COLOR_TYPE_GRAY, Bytes(8, 1)};
  const PngFile cut8192{8192, 8192, 8, PNG_COLOR_TYPE_RGBA, {}, 0, {}, {}, false, true};
  const PngFile cutAtLimit{kMaxPictureSide, kMaxPictureSide, 8, PNG_COLOR_TYPE_RGBA, {}, 0, {}, {}, false, true};
  const Case cases[] = {
      {"one wider than the limit", {9, 1, 8, PNG_COLOR_TYPE_GRAY, Bytes(9, 1)}, 8, kMaxPictureBytes},
      {"one taller than the limit", {1, 9, 8, PNG_COLOR_TYPE_GRAY, Bytes(9, 1)}, 8, kMaxPictureBytes},
      {"one byte over the bytes left, counted as RGBA", eight, 8, 8 * 4 - 1},
      {"8192 squared, cut after its header", cut8192, kMaxPictureSide, kMaxPictureBytes},
      {"at the game's limit, cut after its header", cutAtLimit, kMaxPictureSide, kMaxPictureBytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PngImage image;
    EXPECT_FALSE(image.load(path(c.file).c_str(), false, c.maxSide, c.maxBytes));
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.rgba.empty());
  }
  PngImage missing;
  EXPECT_FALSE(missing.load((dir_ + "/absent.png").c_str(), false));
}

}  // namespace
