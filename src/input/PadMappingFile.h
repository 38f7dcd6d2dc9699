// PadMappingFile: the saved pad mappings, one block per device keyed by SDL's
// joystick GUID, in a text file meant to be read and edited by hand:
//
//   [03000000790000001100000000000000]
//   name = USB Gamepad
//   Up = button 14
//   Left = button 12, hat 0 left
//   Select =
//
// A slot line lists the inputs that feed it (none is allowed); a slot without
// a line keeps its default. Blank lines and lines starting with # are ignored.
// Saving rewrites the whole file through a temporary file and a rename, so the
// file on disk is always either the old one or the new one.
#pragma once

#include <string>
#include <vector>

#include "input/PadMapping.h"

struct SavedPad {
  std::string guid;  // SDL's joystick GUID string, 32 hex digits
  std::string name;  // the device's name when it was saved; informative only
  PadMapping mapping;
};

// Text and parsing, without files.
std::string formatPadMappings(const std::vector<SavedPad>& pads);
struct PadMappingParse {
  std::vector<SavedPad> pads;
  int errorLine = 0;  // 1-based line of the first error; 0 when the text parsed
  std::string error;  // what is wrong on that line
};
PadMappingParse parsePadMappings(const std::string& text);

class PadMappingFile {
 public:
  // $XDG_CONFIG_HOME/stompalong/pads.txt, or ~/.config/stompalong/pads.txt when
  // the variable is unset, empty or not an absolute path; "" without a home.
  static std::string defaultPath();

  explicit PadMappingFile(std::string path = defaultPath()) : path_(std::move(path)) {}

  // Reads the file. A missing file is an empty one. A file that cannot be read
  // or parsed costs one line on stderr naming the file (and the line); every
  // device then gets the defaults, and the file is never written over.
  void load();
  // The saved mapping of a device, or null when it has none.
  const PadMapping* find(const std::string& guid) const;
  // Keeps the device's mapping and writes it into the file: read, merged and
  // written under the file's lock, so blocks another copy of the game saved
  // meanwhile stay (and are known here from then on). A file that cannot be
  // read or parsed, or that would grow past what load reads, is left as it is.
  // On failure one line on stderr says why; the mapping is still kept for this
  // run. True if written.
  bool save(const std::string& guid, const std::string& name, const PadMapping& mapping);

  const std::string& path() const { return path_; }
  bool broken() const { return broken_; }
  const std::vector<SavedPad>& pads() const { return pads_; }


 private:

  std::string path_;
  std::vector<SavedPad> pads_;
  bool broken_ = false;  // the file could not be read or parsed when loaded
};
