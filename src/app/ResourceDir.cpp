#include "app/ResourceDir.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/Assets.h"
#include "core/RegularFile.h"
#include "media/GlyphRaster.h"

namespace fs = std::filesystem;

namespace {

bool holdsResources(const fs::path& dir) {
  std::error_code error;
  return fs::is_directory(dir / assets::kResourceDir, error);
}

// The folders tried after the working directory, in order: a checkout's, then
// an installed game's (the build names its data folder, share/stompalong).
std::vector<fs::path> placesBesideExecutable() {
  std::error_code error;
  fs::path prefix = fs::read_symlink("/proc/self/exe", error).parent_path().parent_path();
  if (error || prefix.empty()) return {};
  return {prefix, prefix / STOMP_DATA_DIR};
}

}  // namespace

bool enterResourceDir() {
  if (holdsResources(".")) return true;
  for (const fs::path& candidate : placesBesideExecutable()) {
    std::error_code error;
    if (holdsResources(candidate) && (fs::current_path(candidate, error), !error)) return true;
  }
  return false;
}

std::string fontFailureLine(const char* loaderMessage) {
  std::error_code error;
  std::string where = fs::current_path(error).string();
  std::string reason = loaderMessage;
  if (std::error_code error = RegularFile(assets::kFont, kMostFontFileBytes).error()) reason = error.message();
  if (!holdsResources(".")) {
    reason += " (no res/ folder here";
    for (const fs::path& place : placesBesideExecutable()) reason += ", in " + place.string();
    reason += " either)";
  }
  return "cannot load the font " + std::string(assets::kFont) + " in " + where + ": " + reason;
}
