#include "app/Settings.h"

#include <optional>
#include <string_view>
#include <utility>

#include "app/Volume.h"
#include "core/Log.h"
#include "core/UserFiles.h"
#include "core/WholeNumber.h"

namespace {

constexpr const char* kFileName = "settings.txt";
constexpr size_t kMaxFileBytes = 64 * 1024;  // a hand-edited file is a few lines
constexpr const char* kHeader =
    "# Stompalong's settings, kept between runs; edit while the game is not running.\n"
    "# volume = 0 to 100, mute = yes or no, window = fullscreen or windowed\n";

// One setting: its key, how its value reads and writes, and what it takes.
struct Field {
  const char* key;
  const char* expected;  // for the problem line
  bool (*read)(std::string_view value, Settings& settings);
  std::string (*write)(const Settings& settings);
};

bool readNumber(std::string_view text, int low, int high, int& out) {
  std::optional<int> value = wholeNumber(text, low, high);
  if (value) out = *value;
  return value.has_value();
}

bool eitherWord(std::string_view text, const char* trueWord, const char* falseWord, bool& out) {
  if (text != trueWord && text != falseWord) return false;
  out = text == trueWord;
  return true;
}

constexpr Field kFields[] = {
    {"volume", "a whole number from 0 to 100",
     [](std::string_view v, Settings& s) { return readNumber(v, 0, Volume::kFull, s.volume); },
     [](const Settings& s) { return std::to_string(s.volume); }},
    {"mute", "yes or no", [](std::string_view v, Settings& s) { return eitherWord(v, "yes", "no", s.muted); },
     [](const Settings& s) { return std::string(s.muted ? "yes" : "no"); }},
    {"window", "fullscreen or windowed",
     [](std::string_view v, Settings& s) { return eitherWord(v, "fullscreen", "windowed", s.fullScreen); },
     [](const Settings& s) { return std::string(s.fullScreen ? "fullscreen" : "windowed"); }},
};
constexpr int kFieldCount = static_cast<int>(std::size(kFields));

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// A line split at its first '=', both sides trimmed; nothing for a blank line,
// a comment, or a line without '='.
struct KeyValue {
  std::string_view key, value;
};
std::optional<KeyValue> splitLine(std::string_view line) {
  line = trim(line);
  size_t equals = line.find('=');
  if (line.empty() || line[0] == '#' || equals == std::string_view::npos) return std::nullopt;
  return KeyValue{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

int fieldNamed(std::string_view key) {
  for (int field = 0; field < kFieldCount; ++field)
    if (key == kFields[field].key) return field;
  return -1;
}

// Calls each(line) for every line of the text; a last line without its newline counts.
template <typename Each>
void forEachLine(std::string_view text, Each each) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    each(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
}

std::string settingLine(int field, const Settings& settings) {
  return std::string(kFields[field].key) + " = " + kFields[field].write(settings) + "\n";
}

// What is wrong with a line that is not blank or a comment; empty when it sets
// its setting. A setting seen once counts as seen, whatever its value.
std::string problemOf(std::string_view line, bool (&seen)[kFieldCount], Settings& settings) {
  std::optional<KeyValue> pair = splitLine(line);
  if (!pair) return "expected \"key = value\"";
  int field = fieldNamed(pair->key);
  std::string key(pair->key);
  if (field < 0) return "unknown setting \"" + key + "\"";
  if (std::exchange(seen[field], true)) return key + " is given twice; the first one counts";
  if (!kFields[field].read(pair->value, settings))
    return key + " takes " + kFields[field].expected + "; using the default";
  return "";
}

}  // namespace

Settings parseSettings(const std::string& text, std::vector<SettingsProblem>* problems) {
  Settings settings;
  bool seen[kFieldCount] = {};
  int number = 0;
  forEachLine(text, [&](std::string_view line) {
    ++number;
    std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed[0] == '#') return;
    std::string what = problemOf(line, seen, settings);
    if (!what.empty() && problems) problems->push_back({number, what});
  });
  return settings;
}

std::string updateSettingsText(const std::string& text, const Settings& settings) {
  std::string out = text.empty() ? kHeader : "";
  bool written[kFieldCount] = {};
  forEachLine(text, [&](std::string_view line) {
    std::optional<KeyValue> pair = splitLine(line);
    int field = pair ? fieldNamed(pair->key) : -1;
    if (field < 0)
      out.append(line).append("\n");
    else if (!written[field])
      out += settingLine(field, settings);
    if (field >= 0) written[field] = true;
  });
  for (int field = 0; field < kFieldCount; ++field)
    if (!written[field]) out += settingLine(field, settings);
  return out;
}

std::string SettingsFile::defaultPath() {
  std::filesystem::path dir = userfiles::gameDir(userfiles::Kind::Config);
  return dir.empty() ? "" : (dir / kFileName).string();
}

Settings SettingsFile::load() {
  if (path_.empty()) return {};
  userfiles::FileText file = userfiles::readSmallFile(path_, kMaxFileBytes);
  if (file.error && !file.missing()) {
    logLine("cannot read %s: %s; using the default settings, and the file is left as it is", path_.c_str(),
            file.error.message().c_str());
    unreadable_ = true;
    return {};
  }
  text_ = file.text;
  std::vector<SettingsProblem> problems;
  Settings settings = parseSettings(text_, &problems);
  for (const SettingsProblem& problem : problems)
    logLine("%s line %d: %s", path_.c_str(), problem.line, problem.what.c_str());
  return settings;
}

bool SettingsFile::save(const Settings& settings) {
  if (path_.empty() || unreadable_) return false;
  std::string text = updateSettingsText(text_, settings);
  std::error_code error = userfiles::writeAtomically(path_, text);
  if (!error) {
    text_ = std::move(text);
    return true;
  }
  if (!saveFailed_)
    logLine("cannot save the settings to %s: %s; they apply until the game ends", path_.c_str(),
            error.message().c_str());
  saveFailed_ = true;
  return false;
}
