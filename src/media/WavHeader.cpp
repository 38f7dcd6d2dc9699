#include "media/WavHeader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "media/StdioFile.h"

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

Format readFormat(FILE* f, uint32_t size) {
  uint8_t b[26] = {};
  size_t got = std::fread(b, 1, std::min<size_t>(size, sizeof b), f);
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

std::optional<double> wavSeconds(const char* path) {
  StdioFile f = openForReading(path);
  uint8_t riff[12];
  if (!f || std::fread(riff, 1, 12, f.get()) != 12 || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return std::nullopt;
  uint64_t bytes = uint64_t(fileSize(f.get())), at = 12;
  Format format;
  std::optional<uint64_t> dataBytes;
  uint8_t chunk[8];
  while (!dataBytes && at + 8 <= bytes && std::fseek(f.get(), long(at), SEEK_SET) == 0 &&
         std::fread(chunk, 1, 8, f.get()) == 8) {
    uint32_t size = le32(chunk + 4);
    if (std::memcmp(chunk, "fmt ", 4) == 0) format = readFormat(f.get(), size);
    if (std::memcmp(chunk, "data", 4) == 0) dataBytes = std::min<uint64_t>(size, bytes - at - 8);
    at += 8 + uint64_t(size) + (size & 1);  // chunks are padded to an even size
  }
  if (!dataBytes || format.rate == 0 || format.channels == 0 || format.blockAlign == 0)
    return std::numeric_limits<double>::infinity();
  return framesIn(format, *dataBytes) / format.rate;
}
