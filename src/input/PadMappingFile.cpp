#include "input/PadMappingFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Log.h"
#include "core/UserFiles.h"

namespace {

constexpr const char* kFileName = "pads.txt";
constexpr size_t kMaxFileBytes = 1 << 20;  // far more than four pads of hand-written mapping
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

}  // namespace

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
  std::filesystem::path dir = userfiles::gameDir(userfiles::Kind::Config);
  return dir.empty() ? "" : (dir / kFileName).string();
}

void PadMappingFile::load() {
  pads_.clear();
  broken_ = false;
  if (path_.empty()) return;
  userfiles::FileText file = userfiles::readSmallFile(path_, kMaxFileBytes);
  if (file.missing()) return;
  if (file.error) {
    logLine("cannot read %s: %s; using the default pad mappings", path_.c_str(),
                 file.error.message().c_str());
    broken_ = true;
    return;
  }
  PadMappingParse parsed = parsePadMappings(file.text);
  if (parsed.errorLine != 0) {
    logLine("%s line %d: %s; using the default pad mappings", path_.c_str(),
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
    logLine("pad mapping not saved: %s has errors and is left as it is; the mapping applies until the game ends",
            path_.c_str());
    return false;
  }
  return write();
}

// The whole file at once, through a temporary file and a rename: a crash or a
// full disk leaves the old file whole.
bool PadMappingFile::write() const {
  std::string why = "neither XDG_CONFIG_HOME nor HOME is set";
  if (!path_.empty()) {
    std::error_code error = userfiles::writeAtomically(path_, formatPadMappings(pads_));
    if (!error) return true;
    why = error.message();
  }
  logLine("cannot save the pad mapping to %s: %s; it applies until the game ends",
               path_.empty() ? "the config directory" : path_.c_str(), why.c_str());
  return false;
}
