// The player's own files: where they live (the XDG base directories) and how
// they are written, so that a crash, a power cut or a second copy of the game
// running at the same time never leaves half a file or loses a save.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
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

// A whole small file, read as RegularFile reads (a FIFO or a device is refused
// at once). A missing file gives no_such_file_or_directory; one larger than
// maxBytes gives file_too_large and no text.
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
// it (".<name>.stompalong-<pid>-<random>.tmp"), flushes it to the disk and
// renames it over the file: a reader sees the old text or the new, never a mix.
// A link is written through: the file it names is replaced, in its own folder.
// The file keeps its mode; a new one gets 0666 less the umask. On failure the
// old file is untouched, no temporary file is left, and the reason is returned.
// Temporaries of this file that a crash left (their process gone, or older than
// a minute) are removed first; nothing else beside it is touched.
std::error_code writeAtomically(const std::filesystem::path& file, std::string_view text);

// Reads, decides and writes as one step that no other copy of the game doing
// the same can come between: under an advisory lock (flock on ".<name>.lock"
// beside the file), the file is read as readSmallFile reads it, `change` is
// given what was read and returns the new text, or nothing to leave the file
// as it is, and the text is written as writeAtomically writes it. A text
// longer than maxBytes, which the next read would refuse, is not written
// (file_too_large). A lock held elsewhere for 5 seconds gives timed_out.
using Change = std::function<std::optional<std::string>(const FileText& current)>;
std::error_code updateAtomically(const std::filesystem::path& file, std::size_t maxBytes, const Change& change);

// Test seam: called once the temporary file is written, flushed and closed,
// before the rename; a test ends the process here to act out a crash.
extern void (*beforeRename)(const std::filesystem::path& temporary);

}  // namespace userfiles
