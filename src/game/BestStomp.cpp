#include "game/BestStomp.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "core/Log.h"
#include "core/UserFiles.h"
#include "core/WholeNumber.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "best-stomp";
constexpr size_t kMaxFileBytes = 64;  // a count and a newline; anything longer is not ours

// A whole decimal number that fits an int, possibly followed by white space.
std::optional<int> parseCount(std::string_view text) {
  size_t last = text.find_last_not_of(" \t\r\n");
  return wholeNumber(text.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

struct Stored {
  int count = 0;        // 0 when there is none to use
  std::string problem;  // why the file cannot be used; empty when it can or does not exist
};

Stored readStored(const fs::path& file) {
  userfiles::FileText read = userfiles::readSmallFile(file, kMaxFileBytes);
  // No such file, or no folder to hold one: nothing stored yet.
  if (read.missing()) return {};
  if (read.error) return {0, read.error.message()};
  std::optional<int> count = parseCount(read.text);
  if (!count) return {0, "not a whole number"};
  return {*count, ""};
}

// Writes the best unless the file holds one as good; `onRecord` is then the
// file's. Empty when done, else why not, as the end of a sentence.
std::string storeUnlessBeaten(const fs::path& file, int best, int& onRecord) {
  onRecord = best;
  if (file.empty()) return ": neither XDG_DATA_HOME nor HOME names a folder for it";
  std::error_code error = userfiles::updateAtomically(
      file, kMaxFileBytes, [&](const userfiles::FileText& read) -> std::optional<std::string> {
        std::optional<int> stored = read.error ? std::nullopt : parseCount(read.text);
        if (stored && *stored >= best) {
          onRecord = *stored;
          return std::nullopt;
        }
        return std::to_string(best) + "\n";
      });
  return error ? " in " + file.string() + ": " + error.message() : "";
}

}  // namespace

fs::path BestStompFile::playerFile() {
  fs::path folder = userfiles::gameDir(userfiles::Kind::Data);
  return folder.empty() ? folder : folder / kFileName;
}

int BestStompFile::load() const {
  if (file_.empty()) return 0;
  Stored stored = readStored(file_);
  if (!stored.problem.empty())
    logLine("cannot read the best stomp from %s: %s; it counts as 0 until a new record",
                 file_.c_str(), stored.problem.c_str());
  return stored.count;
}

int BestStompFile::save(int best) {
  int onRecord = best;
  std::string problem = storeUnlessBeaten(file_, best, onRecord);
  if (!problem.empty() && !reportedSaveFailure_) {
    reportedSaveFailure_ = true;
    logLine("cannot keep the best stomp%s; playing on without keeping it", problem.c_str());
  }
  return onRecord;
}
