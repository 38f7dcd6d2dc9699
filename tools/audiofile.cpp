#include "audiofile.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "outfile.h"

namespace synth {

namespace {

constexpr int kLoopContext = 1152;  // one MPEG-1 Layer III frame of samples

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = openOutputFile(path);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

int16_t toPcm16(float v) { return int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)); }

void writeWavFrames(const std::string& path, const std::vector<const Mono*>& channels) {
  uint32_t frames = uint32_t(channels[0]->size()), count = uint32_t(channels.size());
  uint32_t dataBytes = frames * count * 2;
  std::vector<uint8_t> out;
  for (char ch : std::string("RIFF")) out.push_back(uint8_t(ch));
  put32(out, 36 + dataBytes);
  for (char ch : std::string("WAVEfmt ")) out.push_back(uint8_t(ch));
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, count);
  put32(out, kRate);
  put32(out, kRate * count * 2);
  put16(out, count * 2);
  put16(out, 16);
  for (char ch : std::string("data")) out.push_back(uint8_t(ch));
  put32(out, dataBytes);
  for (uint32_t i = 0; i < frames; ++i)
    for (const Mono* c : channels) put16(out, uint16_t(toPcm16((*c)[i])));
  writeFile(path, out);
}

// Encodes whole buffers (right may be null for mono) and puts the final
// LAME tag over the placeholder frame at the start.
std::vector<uint8_t> encode(const Mono& left, const Mono* right, int kbps) {
  lame_global_flags* gf = lame_init();
  lame_set_num_channels(gf, right ? 2 : 1);
  lame_set_in_samplerate(gf, kRate);
  lame_set_out_samplerate(gf, kRate);
  lame_set_mode(gf, right ? JOINT_STEREO : MONO);
  lame_set_VBR(gf, vbr_off);
  lame_set_brate(gf, kbps);
  lame_set_quality(gf, 2);
  lame_set_bWriteVbrTag(gf, 1);
  if (lame_init_params(gf) < 0) throw std::runtime_error("LAME refused its settings");
  size_t n = left.size();
  std::vector<uint8_t> out(n * 5 / 4 + 7200 + 16384);
  int used = lame_encode_buffer_ieee_float(gf, left.data(), right ? right->data() : left.data(), int(n), out.data(),
                                           int(out.size()));
  if (used < 0) throw std::runtime_error("LAME encoding failed");
  int flushed = lame_encode_flush(gf, out.data() + used, int(out.size()) - used);
  if (flushed < 0) throw std::runtime_error("LAME flush failed");
  out.resize(size_t(used + flushed));
  size_t tag = lame_get_lametag_frame(gf, out.data(), out.size());
  lame_close(gf);
  if (tag == 0) throw std::runtime_error("LAME wrote no tag frame");
  return out;
}

// CRC-16 (polynomial 0x8005, reflected, initial 0), as the LAME tag uses.
uint16_t crc16(const uint8_t* data, size_t n) {
  uint16_t crc = 0;
  for (size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int b = 0; b < 8; ++b) crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
  }
  return crc;
}

// Adds `extra` samples to both the encoder delay and the padding recorded in
// the LAME tag, and refreshes the tag's checksum.
void widenGaplessTrim(std::vector<uint8_t>& mp3, int extra) {
  constexpr size_t kDelayOffset = 21, kCrcOffset = 34;  // within the LAME extension
  const char* lame = "LAME";
  auto at = std::search(mp3.begin(), mp3.begin() + std::min<size_t>(mp3.size(), 1500), lame, lame + 4);
  if (at == mp3.begin() + std::min<size_t>(mp3.size(), 1500)) throw std::runtime_error("no LAME tag");
  size_t tag = size_t(at - mp3.begin());
  size_t crcAt = tag + kCrcOffset;
  if (crc16(mp3.data(), crcAt) != ((mp3[crcAt] << 8) | mp3[crcAt + 1]))
    throw std::runtime_error("LAME tag layout not understood");
  uint8_t* d = &mp3[tag + kDelayOffset];
  int delay = (d[0] << 4) | (d[1] >> 4);
  int padding = ((d[1] & 0x0F) << 8) | d[2];
  delay += extra;
  padding += extra;
  if (delay > 4095 || padding > 4095) throw std::runtime_error("gapless trim does not fit the LAME tag");
  d[0] = uint8_t(delay >> 4);
  d[1] = uint8_t(((delay & 0x0F) << 4) | (padding >> 8));
  d[2] = uint8_t(padding & 0xFF);
  uint16_t crc = crc16(mp3.data(), crcAt);
  mp3[crcAt] = uint8_t(crc >> 8);
  mp3[crcAt + 1] = uint8_t(crc & 0xFF);
}

Mono wrapped(const Mono& loop, int context) {
  Mono out;
  out.reserve(loop.size() + 2 * size_t(context));
  out.insert(out.end(), loop.end() - context, loop.end());
  out.insert(out.end(), loop.begin(), loop.end());
  out.insert(out.end(), loop.begin(), loop.begin() + context);
  return out;
}

}  // namespace

void writeWav(const std::string& path, const Stereo& s) { writeWavFrames(path, {&s.left, &s.right}); }
void writeWav(const std::string& path, const Mono& m) { writeWavFrames(path, {&m}); }

void writeMp3(const std::string& path, const Mono& m, int kbps) { writeFile(path, encode(m, nullptr, kbps)); }

void writeLoopMp3(const std::string& path, const Stereo& loop, int kbps) {
  Mono left = wrapped(loop.left, kLoopContext), right = wrapped(loop.right, kLoopContext);
  std::vector<uint8_t> mp3 = encode(left, &right, kbps);
  widenGaplessTrim(mp3, kLoopContext);
  writeFile(path, mp3);
}

}  // namespace synth
