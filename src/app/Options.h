// The command line, GNU style: long options only, "--name" or, for an option
// that takes a value, "--name VALUE" or "--name=VALUE". Every option is one
// entry of the table in Options.cpp, which --help lists.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "game/StompWorld.h"

struct Options {
  // For this run only, over the settings file; never saved.
  std::optional<bool> fullScreen;  // --fullscreen, --windowed
  bool mute = false;               // --mute
  int roundSeconds = StompWorld::kDefaultRoundSeconds;  // --round: a party round's length
  // Set when the run ends before any window: 0 after --help or --version, 2
  // after an option the game does not take.
  std::optional<int> exitStatus;

  Settings over(Settings saved) const;
};

// Reads the arguments after the program's name. --help and --version print to
// stdout; an option refused costs one line on stderr.
Options readOptions(const std::vector<std::string>& arguments);
