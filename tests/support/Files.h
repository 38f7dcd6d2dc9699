// Files the tests make for themselves: temp folders that go away with the
// test, and small pictures and sounds in the formats the game reads.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testfiles {

using Rgba = std::array<uint8_t, 4>;

// A fresh empty folder under the system temp dir, removed with everything in
// it when the object goes. Movable, so a folder can be handed to its user.
class TempDir {
 public:
  explicit TempDir(const std::string& tag);
  TempDir(TempDir&& other) noexcept;
  TempDir& operator=(TempDir&&) = delete;
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;  // empty once moved from
};

std::vector<uint8_t> readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
// The whole file as text; empty when it cannot be read.
std::string readText(const std::filesystem::path& file);
// Writes the text as the whole file, making its folder first.
void writeText(const std::filesystem::path& file, const std::string& text);

// A PNG of RGBA rows, top row first.
void writePng(const std::filesystem::path& file, int width, int height, const std::vector<uint8_t>& rgba);
void writeSolidPng(const std::filesystem::path& file, int width, int height, Rgba colour);

// The 18-byte TGA header the game's reader looks at.
std::vector<uint8_t> tgaHeader(uint8_t type, int16_t width, int16_t height, uint8_t depth, uint8_t descriptor);
// An uncompressed TGA of RGBA rows (top row first), stored bottom row first as
// most TGA files are: BGRA at depth 32, or the red channel as grey at depth 8.
void writeTga(const std::filesystem::path& file, int width, int height, const std::vector<uint8_t>& rgba,
              uint8_t depth = 32);

// 16-bit mono PCM, 44.1 kHz unless asked otherwise: a square wave of the given
// peak (0 is silence) with a period of 100 samples, so every sample has the
// same magnitude.
constexpr int kWavRate = 44100;
void writeSquareWav(const std::filesystem::path& file, double seconds, int16_t amplitude, uint32_t rate = kWavRate);

}  // namespace testfiles
