// What the player sets once and keeps between runs: the volume, the mute, and
// full screen or a window. Kept in $XDG_CONFIG_HOME/stompalong/settings.txt as
// "key = value" lines a player may edit while the game is not running:
//
//   volume = 70           0 to 100, percent of the game's own levels
//   mute = no             yes or no
//   window = fullscreen   fullscreen or windowed
//
// Saving rewrites only those lines: comments, blank lines and lines that are
// none of these settings stay as the player left them.
#pragma once

#include <string>
#include <vector>

#include "app/Volume.h"

struct Settings {
  int volume = Volume::kFull;  // percent, 0..Volume::kFull
  bool muted = false;
  bool fullScreen = false;     // else an 800 by 600 window
  bool operator==(const Settings&) const = default;
};

// A line of the file that could not be taken, and why.
struct SettingsProblem {
  int line;  // 1-based
  std::string what;
};

// Text without files: each line that holds a setting sets it; every other
// line keeps the default and is reported.
Settings parseSettings(const std::string& text, std::vector<SettingsProblem>* problems);
// The text with the lines for each setting replaced by the settings' values
// (the first line of each; repeats dropped) and missing ones added at the end;
// every other line as it was.
std::string updateSettingsText(const std::string& text, const Settings& settings);

class SettingsFile {
 public:
  // $XDG_CONFIG_HOME/stompalong/settings.txt, or under ~/.config when that is
  // unset; "" without a home, and then nothing is read or written.
  static std::string defaultPath();

  explicit SettingsFile(std::string path = "") : path_(std::move(path)) {}

  // Reads the file; a missing one gives the defaults. Each bad line costs one
  // line on stderr naming the file and the line, and keeps its default. A file
  // that cannot be read costs one line and gives the defaults, and is never
  // written over.
  Settings load();
  // Writes the settings through a temporary file and a rename, so the file is
  // always the old one or the new one. A failure costs one line on stderr the
  // first time; the settings still apply to this run. True if written.
  bool save(const Settings& settings);

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string text_;          // as read, or as last written
  bool unreadable_ = false;   // left as it is
  bool saveFailed_ = false;   // a failure has been reported
};
