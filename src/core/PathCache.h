// PathCache: handles (textures, sounds) kept by the file they came from, in
// load order. Lookup is by exact, case-sensitive path, first match; a stored
// 0 is a load that failed and counts as absent, so the file is tried again on
// the next request.
#pragma once

#include <string>
#include <utility>
#include <vector>

template <typename Handle>
class PathCache {
 public:
  Handle find(const std::string& path) const {
    for (const auto& [name, handle] : entries_)
      if (handle != 0 && name == path) return handle;
    return 0;
  }
  void add(const std::string& path, Handle handle) { entries_.emplace_back(path, handle); }

 private:
  std::vector<std::pair<std::string, Handle>> entries_;  // load order, never removed
};
