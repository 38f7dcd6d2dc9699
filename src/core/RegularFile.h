// Reading a file whatever sits at its path: it is opened without blocking and
// read only when it is a regular file (a link to one is fine) no larger than
// the reader's bound, known before a byte is read. A FIFO, a device such as
// /dev/zero or a file that never ends is refused at once, never waited on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

// "not a regular file": a FIFO, a device or a socket where a file should be.
// A folder gives is_a_directory and a file over the bound file_too_large.
std::error_code notRegularFile();

class RegularFile {
 public:
  // The error says why the file cannot be read; the descriptor is then -1.
  RegularFile(const char* path, uint64_t maxBytes);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  const std::error_code& error() const { return error_; }
  uint64_t size() const { return size_; }
  // Hands the open descriptor over (to fdopen, say); -1 if the file did not open.
  int release();
  // The rest of the file, stopping with file_too_large past the bound should it
  // grow while read. On an error the text is empty.
  std::error_code readAll(std::string& text);

 private:
  int fd_ = -1;
  uint64_t size_ = 0, maxBytes_;
  std::error_code error_;
};

// The whole file in one call, with RegularFile's checks.
std::error_code readRegularFile(const char* path, uint64_t maxBytes, std::string& text);
