// The asset generators, built with the game, write exactly the files committed
// under res/images and res/audio. Since those were written by an earlier run,
// a match also shows that the generators write the same bytes every time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <future>
#include <set>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "support/Files.h"

namespace {

namespace fs = std::filesystem;

const char* const kGenerators[] = {"gen_images", "gen_sounds", "gen_music"};

// The res/ subfolders the generators own.
std::vector<std::string> generatedFolders() {
  std::vector<std::string> folders = {"images", "audio"};
  for (const assets::Icon& icon : assets::kIcons)
    folders.push_back(fs::path(assets::underResourceDir(icon.path)).parent_path().string());
  return folders;
}

std::set<std::string> names(const fs::path& dir) {
  std::set<std::string> out;
  for (const auto& entry : fs::directory_iterator(dir)) out.insert(entry.path().filename().string());
  return out;
}

TEST(Generators, WriteExactlyTheCommittedPicturesAndSounds) {
  const char* built = std::getenv("STOMP_GENERATORS");
  ASSERT_NE(built, nullptr) << "STOMP_GENERATORS names the folder of the built generators";
  testfiles::TempDir out("generators");
  std::vector<std::future<int>> runs;  // side by side into an empty folder: each makes the folders it writes to
  for (const char* generator : kGenerators) {
    std::string command = (fs::path(built) / generator).string() + " " + out.path().string() + " >/dev/null";
    runs.push_back(std::async(std::launch::async, [command] { return std::system(command.c_str()); }));
  }
  for (auto& run : runs) ASSERT_EQ(run.get(), 0);
  for (const std::string& sub : generatedFolders()) {
    SCOPED_TRACE(sub);
    fs::path committed = fs::path(assets::kResourceDir) / sub;
    std::set<std::string> made = names(out.path() / sub);
    EXPECT_FALSE(made.empty());
    EXPECT_EQ(names(committed), made) << "res/ and the generators disagree on the files";
    for (const std::string& name : made)
      EXPECT_EQ(testfiles::readBytes(committed / name), testfiles::readBytes(out.path() / sub / name))
          << committed / name << " is stale: run tools/make-assets";
  }
}

}  // namespace
