#include "support/Hostile.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/Files.h"

namespace fs = std::filesystem;

namespace hostile {

namespace {

constexpr uint8_t kTopRowFirst = 0x20;  // TGA descriptor bit

}  // namespace

uint32_t bigEndian(const std::vector<uint8_t>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes.at(at + i);
  return value;
}

// The table records, 16 bytes each (tag, checksum, offset, length), follow the
// 12-byte font header, which holds their count at byte 4.
size_t tableOffset(const std::vector<uint8_t>& font, const char* tag) {
  uint32_t tables = bigEndian(font, 4, 2);
  for (size_t record = 12; record < 12 + 16 * size_t{tables}; record += 16)
    if (font.size() >= record + 4 && std::memcmp(&font[record], tag, 4) == 0) return bigEndian(font, record + 8, 4);
  throw std::runtime_error(std::string("no table ") + tag + " in the font");
}

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

// unitsPerEm is a big-endian 16-bit field 18 bytes into the 'head' table.
void makeGlyphsGiant(const fs::path& font) {
  std::vector<uint8_t> bytes = testfiles::readBytes(font);
  size_t unitsPerEm = tableOffset(bytes, "head") + 18;
  bytes.at(unitsPerEm) = 0;
  bytes.at(unitsPerEm + 1) = 16;
  testfiles::writeBytes(font, bytes);
}

void writeCutCopy(const fs::path& from, const fs::path& to, size_t bytes) {
  std::vector<uint8_t> head = testfiles::readBytes(from);
  head.resize(std::min(head.size(), bytes));
  testfiles::writeBytes(to, head);
}

}  // namespace hostile
