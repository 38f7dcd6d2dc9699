#include "input/PadMappingFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unordered_set>

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
constexpr size_t kMostQuoted = 80;  // characters of a bad line an error quotes

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

// A piece of a bad line, fit to print on one line of a terminal: in quotes, cut
// at kMostQuoted characters, every byte outside printable ASCII as \xNN.
std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size() && i < kMostQuoted; ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      out += escaped;
    }
  }
  return out + (text.size() > kMostQuoted ? "\"..." : "\"");
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
      error = "unknown input " + quoted(piece);
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
      error = "unknown slot " + quoted(key);
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
    if (!guids_.insert(key).second) {
      error = "device " + key + " appears twice";
      return false;
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
  std::unordered_set<std::string> guids_;  // of the blocks so far
  bool seenName_ = false;
  bool seenSlot_[kPadSlots] = {};
};

// The device's block replaced, or added after the others.
void keep(std::vector<SavedPad>& pads, SavedPad pad) {
  for (SavedPad& kept : pads) {
    if (kept.guid == pad.guid) {
      kept = std::move(pad);
      return;
    }
  }
  pads.push_back(std::move(pad));
}

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
  keep(pads_, {guid, name, mapping});
  if (path_.empty()) {
    logLine("cannot save the pad mapping to the config directory: neither XDG_CONFIG_HOME nor HOME is set; "
            "it applies until the game ends");
    return false;
  }
  // Under the file's lock, into what is on disk now: blocks another game saved
  // since this one read the file stay.
  std::string refusal;
  std::vector<SavedPad> merged;
  std::error_code error = userfiles::updateAtomically(
      path_, kMaxFileBytes, [&](const userfiles::FileText& file) -> std::optional<std::string> {
        if (file.error && !file.missing()) {
          refusal = "cannot be read (" + file.error.message() + ")";
          return std::nullopt;
        }
        PadMappingParse parsed = parsePadMappings(file.text);
        if (parsed.errorLine != 0) {
          refusal = "has errors";
          return std::nullopt;
        }
        merged = std::move(parsed.pads);
        keep(merged, {guid, name, mapping});
        std::string text = formatPadMappings(merged);
        if (text.size() > kMaxFileBytes) refusal = "would grow past the " + std::to_string(kMaxFileBytes) + " bytes the game reads";
        return refusal.empty() ? std::optional(text) : std::nullopt;
      });
  if (!refusal.empty()) {
    logLine("pad mapping not saved: %s %s and is left as it is; the mapping applies until the game ends",
            path_.c_str(), refusal.c_str());
    return false;
  }
  if (error) {
    logLine("cannot save the pad mapping to %s: %s; it applies until the game ends", path_.c_str(),
            error.message().c_str());
    return false;
  }
  pads_ = std::move(merged);
  return true;
}
