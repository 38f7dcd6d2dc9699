#include "app/Options.h"

#include <cstdio>
#include <string_view>

#include "core/Assets.h"
#include "core/Log.h"

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

}  // namespace

Settings Options::over(Settings saved) const {
  if (fullScreen) saved.fullScreen = *fullScreen;
  if (mute) saved.muted = true;
  return saved;
}

Options readOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (size_t i = 0; i < arguments.size() && !options.exitStatus; ++i) {
    const std::string& argument = arguments[i];
    if (!argument.starts_with("-")) return refused("unexpected argument \"" + argument + "\"");
    if (!argument.starts_with("--")) return refused("unknown option " + argument);
    size_t equals = argument.find('=');
    std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    const Option* option = optionNamed(name);
    if (!option) return refused("unknown option --" + name);
    std::string value;
    if (equals != std::string::npos && !option->value) return refused("--" + name + " takes no value");
    if (equals != std::string::npos)
      value = argument.substr(equals + 1);
    else if (option->value && i + 1 < arguments.size())
      value = arguments[++i];
    else if (option->value)
      return refused("--" + name + " needs a value, " + option->value);
    if (!option->take(options, value)) return refused("--" + name + " does not take \"" + value + "\"");
  }
  return options;
}
