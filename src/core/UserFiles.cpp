#include "core/UserFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace userfiles {

namespace {

constexpr const char* kGameFolder = "stompalong";

std::error_code lastError() { return {errno, std::generic_category()}; }

// An environment variable that names an absolute path, else empty.
fs::path absoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return {};
  return value;
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = EIO;  // no progress and no reason given
    if (written <= 0) return false;
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes a rename in the folder itself survive a power cut. Best effort: the
// file is already complete whether or not this succeeds.
void syncFolder(const fs::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

fs::path gameDir(Kind kind) {
  const bool data = kind == Kind::Data;
  fs::path base = absoluteFromEnvironment(data ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME");
  if (base.empty()) {
    fs::path home = absoluteFromEnvironment("HOME");
    if (home.empty()) return {};
    base = data ? home / ".local" / "share" : home / ".config";
  }
  return base / kGameFolder;
}

FileText readSmallFile(const fs::path& file, std::size_t maxBytes) {
  FileText result;
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.error = lastError();
    return result;
  }
  char buffer[4096];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.error = lastError();  // a folder in the file's place ends here too (EISDIR)
      break;
    }
    if (got == 0) break;
    if (result.text.size() + static_cast<size_t>(got) > maxBytes) {
      result.error = std::make_error_code(std::errc::file_too_large);
      break;
    }
    result.text.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  if (result.error) result.text.clear();
  return result;
}

std::error_code writeAtomically(const fs::path& file, std::string_view text) {
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) return error;
  // Hidden and in the same folder, so the rename stays on one file system.
  std::string temporary = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
  int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return lastError();
  bool written = writeAll(fd, text) && ::fsync(fd) == 0;
  if (!written) error = lastError();
  if (::close(fd) != 0 && written) {
    written = false;
    error = lastError();
  }
  if (written && std::rename(temporary.c_str(), file.c_str()) != 0) {
    written = false;
    error = lastError();
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return error;
  }
  syncFolder(file.parent_path());
  return {};
}

}  // namespace userfiles
