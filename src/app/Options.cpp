#include "app/Options.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "core/Assets.h"
#include "core/Log.h"
#include "core/WholeNumber.h"

namespace {

struct Option {
  const char* name;   // after the "--"
  const char* value;  // what its value is called in --help; null when it takes none
  const char* help;
  // Takes the option (and its value); false when the value is not one it takes.
  bool (*take)(Options& options, const std::string& value);
};

void printHelp();

constexpr Option kOptions[] = {
    {"fullscreen", nullptr, "play full screen this time",
     [](Options& o, const std::string&) {
       o.fullScreen = true;
       return true;
     }},
    {"windowed", nullptr, "play in a window this time",
     [](Options& o, const std::string&) {
       o.fullScreen = false;
       return true;
     }},
    {"mute", nullptr, "start with the sound off (M turns it on)",
     [](Options& o, const std::string&) {
       o.mute = true;
       return true;
     }},
    {"round", "SECONDS", "a party's rounds last this long, 30 to 600 (90 if not given)",
     [](Options& o, const std::string& value) {
       std::optional<int> seconds = wholeNumber(value, StompWorld::kMinRoundSeconds, StompWorld::kMaxRoundSeconds);
       if (seconds) o.roundSeconds = *seconds;
       return seconds.has_value();
     }},
    {"help", nullptr, "show this help and exit",
     [](Options& o, const std::string&) {
       printHelp();
       o.exitStatus = 0;
       return true;
     }},
    {"version", nullptr, "show the version and exit",
     [](Options& o, const std::string&) {
       std::printf("%s %s\n", assets::kProgramName, STOMP_VERSION);
       o.exitStatus = 0;
       return true;
     }},
};

void printHelp() {
  std::printf("Usage: %s [OPTION]...\n", assets::kProgramName);
  std::printf("Stomp the crowd on a dance mat, a game controller or the keyboard.\n\n");
  for (const Option& option : kOptions) {
    std::string name = std::string("--") + option.name + (option.value ? std::string(" ") + option.value : "");
    std::printf("  %-18s %s\n", name.c_str(), option.help);
  }
  std::printf("\nThese hold for this run only; the volume (- and +), the mute (M) and full screen (F11)\n"
              "are kept between runs in %s.\n",
              SettingsFile::defaultPath().c_str());
}

const Option* optionNamed(std::string_view name) {
  for (const Option& option : kOptions)
    if (name == option.name) return &option;
  return nullptr;
}

// One line on stderr and status 2, as GNU programs refuse a command line.
Options refused(const std::string& why) {
  logLine("%s; try %s --help", why.c_str(), assets::kProgramName);
  Options options;
  options.exitStatus = 2;
  return options;
}

// The option's value: after "=", or else the next argument for an option that
// takes one (i then moves past it); "" for an option that takes none. Nothing
// when the argument and the option do not agree.
std::optional<std::string> valueOf(const Option& option, const std::vector<std::string>& arguments, size_t& i) {
  size_t equals = arguments[i].find('=');
  if (!option.value) return equals == std::string::npos ? std::optional<std::string>("") : std::nullopt;
  if (equals != std::string::npos) return arguments[i].substr(equals + 1);
  if (i + 1 < arguments.size()) return arguments[++i];
  return std::nullopt;
}

}  // namespace

Options readOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (size_t i = 0; i < arguments.size() && !options.exitStatus; ++i) {
    const std::string& argument = arguments[i];
    if (!argument.starts_with("-")) return refused("unexpected argument \"" + argument + "\"");
    std::string name = argument.substr(0, argument.find('='));
    const Option* option = name.starts_with("--") ? optionNamed(name.substr(2)) : nullptr;
    if (!option) return refused("unknown option " + name);
    std::optional<std::string> value = valueOf(*option, arguments, i);
    if (!value && option->value) return refused(name + " needs a value, " + option->value);
    if (!value) return refused(name + " takes no value");
    if (!option->take(options, *value)) return refused(name + " does not take \"" + *value + "\"");
  }
  return options;
}

Settings Options::over(Settings saved) const {
  if (fullScreen) saved.fullScreen = *fullScreen;
  if (mute) saved.muted = true;
  return saved;
}
