#include "core/UserFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "core/RegularFile.h"

namespace fs = std::filesystem;

namespace userfiles {

namespace {

constexpr const char* kGameFolder = "stompalong";
constexpr int kMostLinks = 40;  // as the kernel's own limit on links followed
constexpr auto kLeftoverAge = std::chrono::minutes(1);
constexpr auto kLockWait = std::chrono::seconds(5);

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

// The file a chain of links ends at (the path itself when it is no link).
fs::path throughLinks(fs::path file) {
  for (int hop = 0; hop < kMostLinks; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(file, error))) break;
    fs::path target = fs::read_symlink(file, error);
    if (error) break;
    file = (file.parent_path() / target).lexically_normal();  // an absolute target replaces the folder
  }
  return file;
}

// Appended piece by piece: g++ 12 at -O2 warns falsely on "literal" + string.
std::string hiddenName(const fs::path& file, const char* suffix) {
  return std::string(".").append(file.filename().string()).append(suffix);
}

// Whether a temporary of ours is one to remove: its process is gone, or it is
// old enough that no save still writing it can be meant.
bool abandoned(std::string_view pidText, const fs::path& path) {
  if (pidText.empty() || pidText.size() > 9) return false;  // beyond any pid
  pid_t pid = 0;
  for (char c : pidText) {
    if (c < '0' || c > '9') return false;
    pid = pid * 10 + (c - '0');
  }
  if (pid <= 0) return false;
  if (::kill(pid, 0) != 0 && errno == ESRCH) return true;
  std::error_code error;
  auto written = fs::last_write_time(path, error);
  return !error && fs::file_time_type::clock::now() - written > kLeftoverAge;
}

// ".<name>.stompalong-<pid>-<random>.tmp": the temporaries of this file that a
// crash or a kill left behind, so they do not pile up. Nothing else is ours.
void removeLeftovers(const fs::path& file) {
  std::error_code error;
  const std::string prefix = hiddenName(file, ".stompalong-");
  for (const auto& entry : fs::directory_iterator(file.parent_path(), error)) {
    std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
    std::string_view rest = std::string_view(name).substr(prefix.size());
    size_t dash = rest.find('-');
    if (dash != std::string_view::npos && abandoned(rest.substr(0, dash), entry.path())) fs::remove(entry.path(), error);
  }
}

// A new temporary beside the file, made by this process alone; -1 and errno on failure.
int createTemporary(const fs::path& file, std::string& path) {
  static std::mt19937_64 random(std::random_device{}() ^ static_cast<uint64_t>(::getpid()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    char unique[48];
    std::snprintf(unique, sizeof unique, ".stompalong-%d-%016llx.tmp", static_cast<int>(::getpid()),
                  static_cast<unsigned long long>(random()));
    path = (file.parent_path() / hiddenName(file, unique)).string();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// The lock beside the file, held while the descriptor is open.
class Lock {
 public:
  explicit Lock(const fs::path& file) {
    std::string path = (file.parent_path() / hiddenName(file, ".lock")).string();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW, 0666);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
      error_ = lastError();
      return;
    }
    if (!S_ISREG(info.st_mode)) {
      error_ = notRegularFile();
      return;
    }
    auto giveUp = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) {
        error_ = lastError();
        return;
      }
      if (std::chrono::steady_clock::now() > giveUp) {
        error_ = std::make_error_code(std::errc::timed_out);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  ~Lock() {
    if (fd_ >= 0) ::close(fd_);  // releases the lock
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  const std::error_code& error() const { return error_; }

 private:
  int fd_ = -1;
  std::error_code error_;
};

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
  result.error = readRegularFile(file.c_str(), maxBytes, result.text);
  return result;
}

std::error_code writeAtomically(const fs::path& link, std::string_view text) {
  const fs::path file = throughLinks(link);
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) return error;
  removeLeftovers(file);
  // Hidden and in the same folder, so the rename stays on one file system.
  std::string temporary;
  int fd = createTemporary(file, temporary);
  if (fd < 0) return lastError();
  struct stat old {};
  bool written = writeAll(fd, text) && ::fsync(fd) == 0;
  if (written && ::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode)) written = ::fchmod(fd, old.st_mode & 07777) == 0;
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

std::error_code updateAtomically(const fs::path& link, std::size_t maxBytes, const Change& change) {
  const fs::path file = throughLinks(link);
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) return error;
  Lock lock(file);
  if (lock.error()) return lock.error();
  std::optional<std::string> text = change(readSmallFile(file, maxBytes));
  if (!text) return {};
  if (text->size() > maxBytes) return std::make_error_code(std::errc::file_too_large);
  return writeAtomically(file, *text);
}

}  // namespace userfiles
