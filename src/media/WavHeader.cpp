#include "media/WavHeader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr uint16_t kExtensible = 0xFFFE;  // the real format code follows in the extension
constexpr uint16_t kMsAdpcm = 0x0002, kImaAdpcm = 0x0011;
constexpr int kAdpcmBits = 4;             // bits per sample in both ADPCM kinds
constexpr int kAdpcmHeaderFrames = 2;     // whole frames a block's header can carry besides its nibbles

struct Format {
  uint16_t code = 0, channels = 0, blockAlign = 0, bits = 0;
  uint32_t rate = 0;
};

uint32_t le32(const uint8_t* b) { return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24; }
uint16_t le16(const uint8_t* b) { return uint16_t(b[0] | b[1] << 8); }

Format readFormat(std::string_view chunk, uint32_t size) {
  uint8_t b[26] = {};
  size_t got = std::min<size_t>({size, sizeof b, chunk.size()});
  std::memcpy(b, chunk.data(), got);
  Format format;
  if (got < 16) return format;
  format = {le16(b), le16(b + 2), le16(b + 12), le16(b + 14), le32(b + 4)};
  if (format.code == kExtensible && got >= 26) format.code = le16(b + 24);
  return format;
}

// The most frames the data can decode to: a frame per block for plain
// samples (by the smaller of the declared and the computed frame size), and
// for ADPCM every nibble a sample plus each block's header frames.
double framesIn(const Format& format, uint64_t dataBytes) {
  if (format.code == kMsAdpcm || format.code == kImaAdpcm) {
    uint64_t blocks = (dataBytes + format.blockAlign - 1) / format.blockAlign;
    double perBlock = double(format.blockAlign) * 8 / (kAdpcmBits * format.channels) + kAdpcmHeaderFrames;
    return double(blocks) * perBlock;
  }
  int computed = (format.bits + 7) / 8 * format.channels;
  int frameBytes = std::max(1, computed > 0 ? std::min<int>(format.blockAlign, computed) : 1);
  return double(dataBytes / uint64_t(frameBytes));
}

}  // namespace

std::optional<double> wavSeconds(std::string_view file) {
  auto bytesAt = [&](uint64_t at) { return reinterpret_cast<const uint8_t*>(file.data() + at); };
  if (file.size() < 12 || file.compare(0, 4, "RIFF") != 0 || file.compare(8, 4, "WAVE") != 0) return std::nullopt;
  const uint64_t bytes = file.size();
  uint64_t at = 12;
  Format format;
  std::optional<uint64_t> dataBytes;
  while (!dataBytes && at + 8 <= bytes) {
    std::string_view id = file.substr(at, 4);
    uint32_t size = le32(bytesAt(at + 4));
    if (id == "fmt ") format = readFormat(file.substr(at + 8), size);
    if (id == "data") dataBytes = std::min<uint64_t>(size, bytes - at - 8);
    at += 8 + uint64_t(size) + (size & 1);  // chunks are padded to an even size
  }
  if (!dataBytes || format.rate == 0 || format.channels == 0 || format.blockAlign == 0)
    return std::numeric_limits<double>::infinity();
  return framesIn(format, *dataBytes) / format.rate;
}
