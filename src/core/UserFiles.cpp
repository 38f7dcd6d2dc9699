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

// Appended piece by piece: g++ 12 at -O2 warns falsely on "literal" + string.
std::string temporaryPrefix(const fs::path& file) { return std::string(".").append(file.filename().string()).append("."); }

// Temporaries a crash left behind (mkostemp's six random characters after the
// prefix), so they do not pile up from crash to crash.
void removeLeftovers(const fs::path& file) {
  std::error_code error;
  const std::string prefix = temporaryPrefix(file);
  for (const auto& entry : fs::directory_iterator(file.parent_path(), error)) {
    std::string name = entry.path().filename().string();
    if (name.size() == prefix.size() + 6 && name.starts_with(prefix)) fs::remove(entry.path(), error);
  }
}

}  // namespace

void (*beforeRename)(const fs::path& temporary) = nullptr;

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
  removeLeftovers(file);
  // Hidden and in the same folder, so the rename stays on one file system.
  std::string temporary = (file.parent_path() / (temporaryPrefix(file) + "XXXXXX")).string();
  int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return lastError();
  bool written = writeAll(fd, text) && ::fsync(fd) == 0;
  if (!written) error = lastError();
  if (::close(fd) != 0 && written) {
    written = false;
    error = lastError();
  }
  if (written && beforeRename) beforeRename(temporary);
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
