#include "support/Files.h"

#include <png.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testfiles {

namespace fs = std::filesystem;

TempDir::TempDir(const std::string& tag) {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("stompalong-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempDir::TempDir(TempDir&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }

TempDir::~TempDir() {
  std::error_code ignored;  // a folder already gone is fine
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

std::vector<uint8_t> readBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& file, const std::string& text) {
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

void writePng(const fs::path& file, int width, int height, const std::vector<uint8_t>& rgba) {
  if (rgba.size() != static_cast<size_t>(width) * height * 4) throw std::invalid_argument("RGBA size mismatch");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&image, file.c_str(), 0, rgba.data(), 0, nullptr))
    throw std::runtime_error("cannot write " + file.string());
}

void writeSolidPng(const fs::path& file, int width, int height, Rgba colour) {
  std::vector<uint8_t> rgba;
  rgba.reserve(static_cast<size_t>(width) * height * 4);
  for (int i = 0; i < width * height; ++i) rgba.insert(rgba.end(), colour.begin(), colour.end());
  writePng(file, width, height, rgba);
}

std::vector<uint8_t> tgaHeader(uint8_t type, int16_t width, int16_t height, uint8_t depth, uint8_t descriptor) {
  std::vector<uint8_t> bytes(18, 0);
  bytes[2] = type;
  bytes[12] = static_cast<uint8_t>(width & 0xFF);
  bytes[13] = static_cast<uint8_t>((width >> 8) & 0xFF);
  bytes[14] = static_cast<uint8_t>(height & 0xFF);
  bytes[15] = static_cast<uint8_t>((height >> 8) & 0xFF);
  bytes[16] = depth;
  bytes[17] = descriptor;
  return bytes;
}

void writeTga(const fs::path& file, int width, int height, const std::vector<uint8_t>& rgba, uint8_t depth) {
  constexpr uint8_t kTrueColour = 2, kGrey = 3;
  std::vector<uint8_t> bytes = tgaHeader(depth == 8 ? kGrey : kTrueColour, static_cast<int16_t>(width),
                                         static_cast<int16_t>(height), depth, depth == 32 ? 8 : 0);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      if (depth == 8)
        bytes.push_back(p[0]);
      else
        bytes.insert(bytes.end(), {p[2], p[1], p[0], p[3]});
    }
  writeBytes(file, bytes);
}

namespace {

void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void put(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

void writeSquareWav(const fs::path& file, double seconds, int16_t amplitude, uint32_t rate) {
  constexpr int kPeriod = 100;  // samples per cycle
  auto frames = static_cast<uint32_t>(seconds * rate);
  std::vector<uint8_t> out;
  put(out, "RIFF");
  put(out, 36 + frames * 2, 4);
  put(out, "WAVE");
  put(out, "fmt ");
  put(out, 16, 4);
  put(out, 1, 2);  // PCM
  put(out, 1, 2);  // mono
  put(out, rate, 4);
  put(out, rate * 2, 4);
  put(out, 2, 2);   // bytes per frame
  put(out, 16, 2);  // bits
  put(out, "data");
  put(out, frames * 2, 4);
  for (uint32_t i = 0; i < frames; ++i)
    put(out, static_cast<uint16_t>(i % kPeriod < kPeriod / 2 ? amplitude : -amplitude), 2);
  writeBytes(file, out);
}

}  // namespace testfiles
