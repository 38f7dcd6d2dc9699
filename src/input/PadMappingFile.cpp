#include "input/PadMappingFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kFileName = "pads.txt";
constexpr const char* kHeader =
    "# Stompalong's dance pad mappings: one block per device, headed by its SDL\n"
    "# joystick GUID in brackets, then the inputs that feed each slot. The pad\n"
    "# setup (hold Select for two seconds on a slide, or press F2) rewrites this\n"
    "# file whole; it may also be edited by hand while the game is not running.\n"
    "# An input is \"button N\", \"hat N up|right|down|left\" or \"axis N -|+\"; a\n"
    "# slot takes any number of them, separated by commas, or none. A slot\n"
    "# without a line keeps its default.\n";
constexpr size_t kGuidDigits = 32;

std::string_view trim(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r')) --end;
  return text.substr(begin, end - begin);
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string lowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// One line of the file, a name kept on one line and without control bytes.
std::string oneLine(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return std::string(trim(out));
}

// The inputs of a slot line's value: comma-separated, possibly none.
bool parseInputList(std::string_view value, std::vector<PadInputId>& inputs, std::string& error) {
  inputs.clear();
  if (value.empty()) return true;
  size_t start = 0;
  while (true) {
    size_t comma = value.find(',', start);
    std::string_view piece = trim(value.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    std::optional<PadInputId> input = parseInput(piece);
    if (!input) {
      error = "unknown input \"" + std::string(piece) + "\"";
      return false;
    }
    inputs.push_back(*input);
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

class Parser {
 public:
  PadMappingParse run(const std::string& text) {
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      ++lineNumber;
      std::string error;
      if (!parseLine(trim(std::string_view(text).substr(start, end - start)), error)) {
        result_.errorLine = lineNumber;
        result_.error = error;
        result_.pads.clear();
        return result_;
      }
      start = end + 1;
    }
    return result_;
  }

 private:
  bool parseLine(std::string_view line, std::string& error) {
    if (line.empty() || line[0] == '#') return true;
    if (line.front() == '[') return parseHeader(line, error);
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      error = "expected \"[GUID]\" or \"slot = inputs\"";
      return false;
    }
    if (result_.pads.empty()) {
      error = "a setting before the first [GUID] line";
      return false;
    }
    std::string_view key = trim(line.substr(0, equals));
    std::string_view value = trim(line.substr(equals + 1));
    SavedPad& pad = result_.pads.back();
    if (lowerCase(key) == "name") {
      if (seenName_) return twice("name", error);
      seenName_ = true;
      pad.name = std::string(value);
      return true;
    }
    int slot = slotNamed(key);
    if (slot < 0) {
      error = "unknown slot \"" + std::string(key) + "\"";
      return false;
    }
    if (seenSlot_[slot]) return twice(buttonName(slot), error);
    seenSlot_[slot] = true;
    return parseInputList(value, pad.mapping.slots[slot], error);
  }

  bool parseHeader(std::string_view line, std::string& error) {
    std::string_view guid = line.back() == ']' ? trim(line.substr(1, line.size() - 2)) : std::string_view();
    bool valid = guid.size() == kGuidDigits;
    for (char c : guid) valid = valid && isHexDigit(c);
    if (!valid) {
      error = "expected \"[\" and 32 hexadecimal digits and \"]\"";
      return false;
    }
    std::string key = lowerCase(guid);
    for (const SavedPad& pad : result_.pads) {
      if (pad.guid == key) {
        error = "device " + key + " appears twice";
        return false;
      }
    }
    result_.pads.push_back({key, "", PadMapping::defaults()});
    seenName_ = false;
    for (bool& seen : seenSlot_) seen = false;
    return true;
  }

  static bool twice(const char* what, std::string& error) {
    error = std::string(what) + " is given twice for this device";
    return false;
  }

  PadMappingParse result_;
  bool seenName_ = false;
  bool seenSlot_[kPadSlots] = {};
};

std::string errnoText(int error) { return std::strerror(error); }

}  // namespace

void (*PadMappingFile::beforeRename)(const std::string& tempPath) = nullptr;

std::string formatPadMappings(const std::vector<SavedPad>& pads) {
  std::string text = kHeader;
  for (const SavedPad& pad : pads) {
    text += "\n[" + pad.guid + "]\n";
    text += "name = " + oneLine(pad.name) + "\n";
    for (int slot = 0; slot < kPadSlots; ++slot) {
      text += buttonName(slot);
      text += " =";
      const std::vector<PadInputId>& inputs = pad.mapping.slots[slot];
      for (size_t i = 0; i < inputs.size(); ++i) text += (i == 0 ? " " : ", ") + describeInput(inputs[i]);
      text += "\n";
    }
  }
  return text;
}

PadMappingParse parsePadMappings(const std::string& text) { return Parser().run(text); }

std::string PadMappingFile::defaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base;
  if (config && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') return "";
    base = std::filesystem::path(home) / ".config";
  }
  return (base / "stompalong" / kFileName).string();
}

void PadMappingFile::load() {
  pads_.clear();
  broken_ = false;
  if (path_.empty()) return;
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  if (!file) {
    if (errno == ENOENT || errno == ENOTDIR) return;  // nothing saved yet
    std::fprintf(stderr, "Stompalong: cannot read %s: %s; using the default pad mappings\n", path_.c_str(),
                 errnoText(errno).c_str());
    broken_ = true;
    return;
  }
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  int readError = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (readError != 0) {
    std::fprintf(stderr, "Stompalong: cannot read %s: %s; using the default pad mappings\n", path_.c_str(),
                 errnoText(readError).c_str());
    broken_ = true;
    return;
  }
  PadMappingParse parsed = parsePadMappings(text);
  if (parsed.errorLine != 0) {
    std::fprintf(stderr, "Stompalong: %s line %d: %s; using the default pad mappings\n", path_.c_str(),
                 parsed.errorLine, parsed.error.c_str());
    broken_ = true;
    return;
  }
  pads_ = std::move(parsed.pads);
}

const PadMapping* PadMappingFile::find(const std::string& guid) const {
  for (const SavedPad& pad : pads_)
    if (pad.guid == guid) return &pad.mapping;
  return nullptr;
}

bool PadMappingFile::save(const std::string& guid, const std::string& name, const PadMapping& mapping) {
  bool kept = false;
  for (SavedPad& pad : pads_) {
    if (pad.guid == guid) {
      pad.name = name;
      pad.mapping = mapping;
      kept = true;
    }
  }
  if (!kept) pads_.push_back({guid, name, mapping});
  if (broken_) {
    std::fprintf(stderr,
                 "Stompalong: pad mapping not saved: %s has errors and is left as it is; the mapping applies "
                 "until the game ends\n",
                 path_.c_str());
    return false;
  }
  return write();
}

// Writes the whole text to <file>.new, flushes it to disk, then renames it over
// the file: a crash or a full disk leaves the old file whole.
bool PadMappingFile::write() const {
  auto fail = [this](const std::string& why) {
    std::fprintf(stderr, "Stompalong: cannot save the pad mapping to %s: %s; it applies until the game ends\n",
                 path_.empty() ? "the config directory" : path_.c_str(), why.c_str());
    return false;
  };
  if (path_.empty()) return fail("neither XDG_CONFIG_HOME nor HOME is set");
  std::filesystem::path path(path_);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (error) return fail(error.message());

  std::string tempPath = path_ + ".new";
  std::string text = formatPadMappings(pads_);
  int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail(errnoText(errno));
  size_t done = 0;
  while (done < text.size()) {
    ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      int why = wrote < 0 ? errno : ENOSPC;
      ::close(fd);
      ::unlink(tempPath.c_str());
      return fail(errnoText(why));
    }
    done += static_cast<size_t>(wrote);
  }
  int why = ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && why == 0) why = errno;
  if (why != 0) {
    ::unlink(tempPath.c_str());
    return fail(errnoText(why));
  }
  if (beforeRename) beforeRename(tempPath);
  if (::rename(tempPath.c_str(), path_.c_str()) != 0) {
    why = errno;
    ::unlink(tempPath.c_str());
    return fail(errnoText(why));
  }
  int dir = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {  // the rename itself reaches the disk; a failure here loses nothing already written
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}
