// Files that a loader must survive, and copies of res/ to put them in: shared
// by the hostile-files tool and the benchmark.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace bench {

// An 18-byte TGA header and nothing after it.
std::string tgaHeader(uint8_t type, int side, uint8_t depth);
// The first bytes of a real PNG: its signature and its header chunk, no data.
std::string pngCutAfterHeader(const std::filesystem::path& png);

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
// Where one of the game's files lies in a copy of res/.
std::filesystem::path resourcePath(const std::filesystem::path& root, const char* asset);

}  // namespace bench
