// Where every generator's file is opened: its folder is made first, so each
// tool writes wherever the game's path for the file points.
#pragma once

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

inline FILE* openOutputFile(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  return f;
}
