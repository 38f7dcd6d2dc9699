// The player's own files: where they live (the XDG base directories) and how
// they are written, so that a crash or a power cut never leaves half a file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace userfiles {

enum class Kind {
  Data,    // $XDG_DATA_HOME, else ~/.local/share
  Config,  // $XDG_CONFIG_HOME, else ~/.config
};

// The game's own folder of that kind, e.g. ~/.local/share/stompalong. A
// variable that is unset, empty or relative counts as unset, as the XDG rules
// say. Empty when the fallback needs HOME and HOME is unset or relative.
std::filesystem::path gameDir(Kind kind);

// A whole small file. A missing file gives no_such_file_or_directory; one
// larger than maxBytes gives file_too_large and no text.
struct FileText {
  std::string text;
  std::error_code error;
  // Nothing saved yet: the file, or a folder on its way, does not exist.
  bool missing() const {
    return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
  }
};
FileText readSmallFile(const std::filesystem::path& file, std::size_t maxBytes);

// Makes the file's folder if needed, writes the text to a temporary file beside
// it, flushes it to the disk and renames it over the file: a reader sees the
// old text or the new, never a mix. On failure the old file is untouched, no
// temporary file is left, and the reason is returned. Temporaries an earlier
// crash left beside the file are removed first.
std::error_code writeAtomically(const std::filesystem::path& file, std::string_view text);

// Test seam: called once the temporary file is written, flushed and closed,
// before the rename; a test ends the process here to act out a crash.
extern void (*beforeRename)(const std::filesystem::path& temporary);

}  // namespace userfiles
