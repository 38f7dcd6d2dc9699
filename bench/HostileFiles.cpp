#include "HostileFiles.h"

#include <fstream>
#include <iterator>

#include "core/Assets.h"

namespace bench {

namespace {

constexpr size_t kPngSignatureBytes = 8;
constexpr size_t kPngHeaderChunkBytes = 25;  // length, type, 13 bytes of header, CRC

}  // namespace

std::string tgaHeader(uint8_t type, int side, uint8_t depth) {
  std::string header(18, '\0');
  header[2] = static_cast<char>(type);
  header[12] = header[14] = static_cast<char>(side & 0xFF);
  header[13] = header[15] = static_cast<char>(side >> 8);
  header[16] = static_cast<char>(depth);
  header[17] = 0x20;  // top row first
  return header;
}

std::string pngCutAfterHeader(const std::filesystem::path& png) {
  return readBytes(png).substr(0, kPngSignatureBytes + kPngHeaderChunkBytes);
}

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::filesystem::path resourcePath(const std::filesystem::path& root, const char* asset) {
  return root / assets::underResourceDir(asset);
}

}  // namespace bench
