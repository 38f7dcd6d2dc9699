#include "support/Hostile.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "support/Files.h"

namespace fs = std::filesystem;

namespace hostile {

namespace {

constexpr uint8_t kTopRowFirst = 0x20;  // TGA descriptor bit

uint32_t bigEndian(const std::vector<uint8_t>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes.at(at + i);
  return value;
}

}  // namespace

void writeTgaHeaderOnly(const fs::path& file, uint8_t type, int side, uint8_t depth) {
  auto claimed = static_cast<int16_t>(side);
  testfiles::writeBytes(file, testfiles::tgaHeader(type, claimed, claimed, depth, kTopRowFirst));
}

void writePngBomb(const fs::path& file, int side) {
  FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) throw std::runtime_error("cannot write " + file.string());
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, out);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(side) * 4, 0);
  for (int y = 0; y < side; ++y) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(out);
}

// unitsPerEm is a big-endian 16-bit field 18 bytes into the 'head' table,
// found through the table records that follow the 12-byte font header.
void makeGlyphsGiant(const fs::path& font) {
  std::vector<uint8_t> bytes = testfiles::readBytes(font);
  uint32_t tables = bigEndian(bytes, 4, 2);
  for (size_t record = 12; record < 12 + 16 * tables; record += 16)
    if (bytes.at(record) == 'h' && bytes.at(record + 1) == 'e' && bytes.at(record + 2) == 'a' && bytes.at(record + 3) == 'd') {
      size_t head = bigEndian(bytes, record + 8, 4);
      bytes.at(head + 18) = 0;
      bytes.at(head + 19) = 16;
    }
  testfiles::writeBytes(font, bytes);
}

void writeCutCopy(const fs::path& from, const fs::path& to, size_t bytes) {
  std::vector<uint8_t> head = testfiles::readBytes(from);
  head.resize(std::min(head.size(), bytes));
  testfiles::writeBytes(to, head);
}

}  // namespace hostile
