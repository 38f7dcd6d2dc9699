// The loaders' way to read a file piece by piece: a stdio file that closes
// itself on every way out, and its size.
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <memory>

struct StdioFileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using StdioFile = std::unique_ptr<FILE, StdioFileCloser>;

inline StdioFile openForReading(const char* path) { return StdioFile(std::fopen(path, "rb")); }

// Bytes in the open file; 0 when the system cannot tell.
inline long long fileSize(FILE* file) {
  struct stat info {};
  return fstat(fileno(file), &info) == 0 ? info.st_size : 0;
}
