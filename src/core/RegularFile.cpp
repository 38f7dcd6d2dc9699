#include "core/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

struct NotRegularCategory : std::error_category {
  const char* name() const noexcept override { return "stompalong file"; }
  std::string message(int) const override { return "not a regular file"; }
};

}  // namespace

std::error_code notRegularFile() {
  static const NotRegularCategory category;
  return {1, category};
}

RegularFile::RegularFile(const char* path, uint64_t maxBytes) : maxBytes_(maxBytes) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  fd_ = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0)
    error_ = lastError();
  else if (S_ISDIR(info.st_mode))
    error_ = std::make_error_code(std::errc::is_a_directory);
  else if (!S_ISREG(info.st_mode))
    error_ = notRegularFile();
  else if (static_cast<uint64_t>(info.st_size) > maxBytes)
    error_ = std::make_error_code(std::errc::file_too_large);
  else if (::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK) != 0)  // plain reads from here on
    error_ = lastError();
  size_ = static_cast<uint64_t>(info.st_size);
  if (error_ && fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

int RegularFile::release() {
  int fd = fd_;
  fd_ = -1;
  return fd;
}

std::error_code RegularFile::readAll(std::string& text) {
  text.clear();
  if (error_) return error_;
  text.reserve(size_);
  char buffer[65536];
  for (;;) {
    ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got == 0) return {};
    std::error_code error = got < 0 ? lastError() : std::error_code();
    if (!error && text.size() + static_cast<size_t>(got) > maxBytes_) error = std::make_error_code(std::errc::file_too_large);
    if (error) {
      text.clear();
      return error;
    }
    text.append(buffer, static_cast<size_t>(got));
  }
}

std::error_code readRegularFile(const char* path, uint64_t maxBytes, std::string& text) {
  RegularFile file(path, maxBytes);
  return file.readAll(text);
}
