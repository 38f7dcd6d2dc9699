// Short WAV files written by the audio tests themselves: 16-bit mono PCM,
// 44.1 kHz unless asked otherwise, a square wave so every sample has the same
// magnitude.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace testwav {

constexpr int kRate = 44100;   // Hz
constexpr int kPeriod = 100;   // samples per square-wave cycle: 441 Hz

inline void put32(std::ofstream& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xff));
}
inline void put16(std::ofstream& out, uint16_t v) {
  out.put(static_cast<char>(v & 0xff));
  out.put(static_cast<char>(v >> 8));
}

inline void writeSquare(const std::string& path, double seconds, int16_t amplitude, uint32_t rate = kRate) {
  auto frames = static_cast<uint32_t>(seconds * rate);
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  put32(out, 36 + frames * 2);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, rate);
  put32(out, rate * 2);
  put16(out, 2);   // bytes per frame
  put16(out, 16);  // bits
  out.write("data", 4);
  put32(out, frames * 2);
  for (uint32_t i = 0; i < frames; ++i)
    put16(out, static_cast<uint16_t>(i % kPeriod < kPeriod / 2 ? amplitude : -amplitude));
}

inline void writeGarbage(const std::string& path) {
  std::ofstream(path, std::ios::binary) << "this is not a sound file at all";
}

}  // namespace testwav
