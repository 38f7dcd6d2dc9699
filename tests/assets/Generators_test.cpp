// Rebuilding the assets: tools/make-assets, run twice, writes the same bytes
// both times, and they are exactly the files committed under res/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "support/GlTest.h"

namespace {

namespace fs = std::filesystem;

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

std::vector<char> bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Generators, TwoRunsWriteIdenticalFilesThatMatchTheCommittedOnes) {
  fs::path work = testgl::tempDir("generators");
  fs::path first = work / "first", second = work / "second", build = work / "build";
  for (const fs::path& out : {first, second}) {
    std::string command = "tools/make-assets " + out.string() + " " + build.string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  for (const std::string& sub : generatedFolders()) {
    SCOPED_TRACE(sub);
    std::set<std::string> made = names(first / sub);
    EXPECT_FALSE(made.empty());
    EXPECT_EQ(names(second / sub), made);
    EXPECT_EQ(names(fs::path("./res") / sub), made) << "res/ and the generators disagree on the files";
    for (const std::string& name : made) {
      std::vector<char> reference = bytes(first / sub / name);
      EXPECT_EQ(bytes(second / sub / name), reference) << name << " differs between two runs";
      EXPECT_EQ(bytes(fs::path("./res") / sub / name), reference)
          << "res/" << sub << "/" << name << " is stale: run tools/make-assets";
    }
  }
  fs::remove_all(work);
}

}  // namespace
