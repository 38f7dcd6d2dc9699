// The loaders' way to read a file piece by piece: a stdio file that closes
// itself on every way out, and its size.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "core/RegularFile.h"

struct StdioFileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using StdioFile = std::unique_ptr<FILE, StdioFileCloser>;

// Null unless the path holds a regular file (see RegularFile.h) of at most maxBytes.
inline StdioFile openForReading(const char* path, uint64_t maxBytes = UINT64_MAX) {
  RegularFile file(path, maxBytes);
  int fd = file.release();
  if (fd < 0) return nullptr;
  FILE* stream = fdopen(fd, "rb");
  if (!stream) close(fd);
  return StdioFile(stream);
}

// Bytes in the open file; 0 when the system cannot tell.
inline long long fileSize(FILE* file) {
  struct stat info {};
  return fstat(fileno(file), &info) == 0 ? info.st_size : 0;
}
