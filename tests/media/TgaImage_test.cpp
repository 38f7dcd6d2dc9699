#include "media/TgaImage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/Files.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint8_t kTopFirst = 0x20;  // descriptor bit 5

using testfiles::tgaHeader;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes pixelBytes(const TgaImage& image) {
  size_t size = static_cast<size_t>(image.width) * image.height * (image.bits / 8);
  return Bytes(image.pixels, image.pixels + size);
}

class TgaImageTest : public ::testing::Test {
 protected:
  std::string write(const Bytes& bytes) {
    std::string path = dir_ / ("image" + std::to_string(files_++) + ".tga");
    testfiles::writeBytes(path, bytes);
    return path;
  }

  testfiles::TempDir dir_{"tga"};
  int files_ = 0;
};

TEST_F(TgaImageTest, TwentyFourBitPixelsBecomeRgbaWithOpaqueAlpha) {
  // 3x2, stored top row first: BGR triples become RGBA quads, 4 bytes per pixel.
  Bytes data = tgaHeader(2, 3, 2, 24, kTopFirst) +
               Bytes{10, 20, 30, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16};
  TgaImage image;
  ASSERT_TRUE(image.load(write(data).c_str(), false));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.bits, 32);
  EXPECT_EQ(pixelBytes(image), (Bytes{30, 20, 10, 255, 3, 2, 1, 255, 6, 5, 4, 255,  //
                                      9, 8, 7, 255, 13, 12, 11, 255, 16, 15, 14, 255}));
}

TEST_F(TgaImageTest, RowOrderFollowsDescriptorBitAndRequest) {
  // 2x3 32-bit picture; stored rows are A, B, C.
  const Bytes rows = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6};
  const Bytes reversed = {5, 5, 5, 5, 6, 6, 6, 6, 3, 3, 3, 3, 4, 4, 4, 4, 1, 1, 1, 1, 2, 2, 2, 2};
  struct Case {
    uint8_t descriptor;
    bool bottomRowFirst;
    const Bytes& expected;
  };
  const Case cases[] = {{0, false, reversed}, {0, true, rows},
                        {kTopFirst, false, rows}, {kTopFirst, true, reversed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "descriptor " << int(c.descriptor) << " bottomRowFirst " << c.bottomRowFirst);
    TgaImage image;
    ASSERT_TRUE(image.load(write(tgaHeader(2, 2, 3, 32, c.descriptor) + rows).c_str(), c.bottomRowFirst));
    EXPECT_EQ(pixelBytes(image), c.expected);
  }
}

TEST_F(TgaImageTest, EightBitPixelsAreOneByteAndRowsStillReverse) {
  TgaImage image;
  ASSERT_TRUE(image.load(write(tgaHeader(3, 2, 2, 8, 0) + Bytes{1, 2, 3, 4}).c_str(), false));
  EXPECT_EQ(image.bits, 8);
  EXPECT_EQ(pixelBytes(image), (Bytes{3, 4, 1, 2}));
}

TEST_F(TgaImageTest, RunPacketRepeatsOnePixelAcrossRowEnds) {
  // 2x3: run 0x83 fills pixels 0..3 (over a row end), raw 0x01 gives the last two.
  Bytes data = tgaHeader(10, 2, 3, 24, kTopFirst) + Bytes{0x83, 10, 20, 30, 0x01, 1, 2, 3, 4, 5, 6};
  TgaImage image;
  ASSERT_TRUE(image.load(write(data).c_str(), false));
  EXPECT_EQ(pixelBytes(image), (Bytes{30, 20, 10, 255, 30, 20, 10, 255, 30, 20, 10, 255,  //
                                      30, 20, 10, 255, 3, 2, 1, 255, 6, 5, 4, 255}));
}

TEST_F(TgaImageTest, RawPacketReadsCountPlusOnePixels) {
  // 4x1, 32-bit: raw 0x02 carries three pixels, then a run 0x80 of one.
  Bytes data = tgaHeader(10, 4, 1, 32, kTopFirst) +
               Bytes{0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x80, 13, 14, 15, 16};
  TgaImage image;
  ASSERT_TRUE(image.load(write(data).c_str(), false));
  EXPECT_EQ(pixelBytes(image), (Bytes{3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}));
}

TEST_F(TgaImageTest, PacketsRunningPastTheLastPixelAreClipped) {
  // 2x1 picture; a 128-pixel run and a 128-pixel raw packet must stop at pixel 2.
  TgaImage run;
  ASSERT_TRUE(run.load(write(tgaHeader(10, 2, 1, 24, kTopFirst) + Bytes{0xFF, 10, 20, 30}).c_str(), false));
  EXPECT_EQ(pixelBytes(run), (Bytes{30, 20, 10, 255, 30, 20, 10, 255}));

  TgaImage raw;
  Bytes rawData = tgaHeader(10, 2, 1, 24, kTopFirst) + Bytes{0x7F, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  ASSERT_TRUE(raw.load(write(rawData).c_str(), false));
  EXPECT_EQ(pixelBytes(raw), (Bytes{3, 2, 1, 255, 6, 5, 4, 255}));
}

TEST_F(TgaImageTest, ShortFilesAreRefusedUnlessRunLengthWhichLeavesTheRestZero) {
  // Uncompressed 2x2 with only the first pixel present: refused, whatever its depth.
  TgaImage plain;
  EXPECT_FALSE(plain.load(write(tgaHeader(2, 2, 2, 32, kTopFirst) + Bytes{1, 2, 3, 4}).c_str(), false));
  EXPECT_EQ(plain.pixels, nullptr);
  TgaImage grey;
  EXPECT_FALSE(grey.load(write(tgaHeader(3, 2, 2, 8, kTopFirst) + Bytes{1, 2, 3}).c_str(), false));
  TgaImage exact;
  EXPECT_TRUE(exact.load(write(tgaHeader(3, 2, 2, 8, kTopFirst) + Bytes{1, 2, 3, 4}).c_str(), false));

  // Run-length data cut after one packet, then in the middle of a pixel: what was decoded stays.
  const Bytes firstPixelOnly = {3, 2, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (const Bytes& data : {Bytes{0x00, 1, 2, 3, 4}, Bytes{0x00, 1, 2, 3, 4, 0x81, 9, 9}}) {
    TgaImage packed;
    ASSERT_TRUE(packed.load(write(tgaHeader(10, 2, 2, 32, kTopFirst) + data).c_str(), false));
    EXPECT_EQ(pixelBytes(packed), firstPixelOnly);
  }
  TgaImage headerOnly;
  ASSERT_TRUE(headerOnly.load(write(tgaHeader(10, 2, 1, 24, kTopFirst)).c_str(), false));
  EXPECT_EQ(pixelBytes(headerOnly), Bytes(8, 0));

  TgaImage cutHeader;
  EXPECT_FALSE(cutHeader.load(write(Bytes(17, 0)).c_str(), false));
}

TEST_F(TgaImageTest, TheImageIdAndAColourMapAreSkipped) {
  const Bytes pixels = {10, 20, 30, 40, 50, 60};  // 2x1 at 24 bits
  const Bytes expected = {30, 20, 10, 255, 60, 50, 40, 255};
  Bytes withId = tgaHeader(2, 2, 1, 24, kTopFirst) + Bytes{'s', 'h', 'a', 'd', 'e'} + pixels;
  withId[0] = 5;
  // A true-colour file may carry a map it does not use: 3 entries of 15 bits, 2 bytes each.
  Bytes withMap = tgaHeader(2, 2, 1, 24, kTopFirst) + Bytes{'i', 'd'} + Bytes(6, 0xEE) + pixels;
  withMap[0] = 2;
  withMap[1] = 1;
  withMap[3] = 4;  // first entry index: says nothing about the map's size
  withMap[5] = 3;
  withMap[7] = 15;
  Bytes packed = tgaHeader(10, 2, 1, 32, kTopFirst) + Bytes(4 * 2, 0xEE) + Bytes{0x81, 1, 2, 3, 4};
  packed[1] = 1, packed[5] = 2, packed[7] = 32;
  struct Case {
    const char* what;
    Bytes data, expected;
  };
  const Case cases[] = {{"image ID", withId, expected},
                        {"ID and colour map", withMap, expected},
                        {"run-length after a colour map", packed, {3, 2, 1, 4, 3, 2, 1, 4}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TgaImage image;
    ASSERT_TRUE(image.load(write(c.data).c_str(), false));
    EXPECT_EQ(pixelBytes(image), c.expected);
    if (c.data[2] != 10) {  // one byte fewer and the pixels no longer fit after the skipped fields
      TgaImage cut;
      EXPECT_FALSE(cut.load(write(Bytes(c.data.begin(), c.data.end() - 1)).c_str(), false));
    }
  }
}

TEST_F(TgaImageTest, PicturesOverTheSideOrByteLimitAreRefusedWhateverTheirData) {
  TgaImage atLimit;
  ASSERT_TRUE(atLimit.load(write(tgaHeader(3, 8, 1, 8, 0) + Bytes(8, 7)).c_str(), false, 8, 8 * 4));
  EXPECT_EQ(atLimit.width, 8);
  TgaImage overBytes;  // bytes are counted as RGBA, whatever the depth
  EXPECT_FALSE(overBytes.load(write(tgaHeader(3, 8, 1, 8, 0) + Bytes(8, 7)).c_str(), false, 8, 8 * 4 - 1));
  for (auto [w, h] : {std::pair{9, 1}, std::pair{1, 9}}) {
    TgaImage over;
    EXPECT_FALSE(over.load(write(tgaHeader(3, w, h, 8, 0) + Bytes(9, 7)).c_str(), false, 8));
    EXPECT_EQ(over.pixels, nullptr);
  }
  // Headers alone claiming the largest sizes, plain and run-length, at the game's own limit.
  for (uint8_t type : {2, 10}) {
    TgaImage huge;
    EXPECT_FALSE(huge.load(write(tgaHeader(type, 32767, 32767, 32, kTopFirst)).c_str(), false));
    TgaImage overDefault;
    EXPECT_FALSE(overDefault.load(write(tgaHeader(type, kMaxPictureSide + 1, 1, 32, 0)).c_str(), false));
  }
  TgaImage noData;
  EXPECT_FALSE(noData.load(write(tgaHeader(3, kMaxPictureSide, kMaxPictureSide, 8, 0)).c_str(), false));
}

TEST_F(TgaImageTest, UnsupportedOrUnsafeHeadersAreRefused) {
  struct Case {
    const char* what;
    Bytes data;
  };
  const Bytes pixel = {1, 2, 3, 4};
  const Case cases[] = {
      {"colour-mapped type 1", tgaHeader(1, 1, 1, 32, 0) + pixel},
      {"depth 16", tgaHeader(2, 1, 1, 16, 0) + pixel},
      {"run-length at depth 8", tgaHeader(10, 2, 2, 8, 0) + Bytes{0x83, 7}},
      {"width 0", tgaHeader(2, 0, 1, 32, 0) + pixel},
      {"height 0", tgaHeader(2, 1, 0, 32, 0) + pixel},
      {"negative width", tgaHeader(2, -1, 1, 32, 0) + pixel},
      {"negative height", tgaHeader(2, 1, -5, 32, 0) + pixel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TgaImage image;
    EXPECT_FALSE(image.load(write(c.data).c_str(), false));
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    EXPECT_EQ(image.bits, 0);
  }
  TgaImage missing;
  EXPECT_FALSE(missing.load((dir_ / "absent.tga").c_str(), false));
}

TEST_F(TgaImageTest, LoadOnLoadedRecordReadsNothingAndReleaseReportsBuffer) {
  TgaImage image;
  EXPECT_FALSE(image.release());
  ASSERT_TRUE(image.load(write(tgaHeader(2, 1, 1, 32, 0) + Bytes{1, 2, 3, 4}).c_str(), false));
  const uint8_t* first = image.pixels;
  EXPECT_TRUE(image.load(write(tgaHeader(2, 2, 1, 24, 0) + Bytes{9, 9, 9, 9, 9, 9}).c_str(), false));
  EXPECT_TRUE(image.load((dir_ / "absent.tga").c_str(), false));
  EXPECT_EQ(image.pixels, first);
  EXPECT_EQ(image.width, 1);
  EXPECT_EQ(pixelBytes(image), (Bytes{3, 2, 1, 4}));

  EXPECT_TRUE(image.release());
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_FALSE(image.release());
}

}  // namespace
