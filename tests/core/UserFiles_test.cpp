// The player's files: which folder the XDG variables pick, and writes that
// replace a file whole or not at all.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/UserFiles.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

// Sets (or, with nullopt, unsets) a variable for the test's lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

int entries(const fs::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

using userfiles::Kind;

TEST(UserFiles, XdgVariablesPickTheFolderElseHome) {
  ScopedEnv home("HOME", "/home/player");
  {
    ScopedEnv data("XDG_DATA_HOME", "/srv/data"), config("XDG_CONFIG_HOME", "/srv/config");
    EXPECT_EQ(userfiles::gameDir(Kind::Data), "/srv/data/stompalong");
    EXPECT_EQ(userfiles::gameDir(Kind::Config), "/srv/config/stompalong");
  }
  // Unset, empty and relative values all fall back to the home folder.
  for (std::optional<std::string> value : {std::optional<std::string>(), std::optional<std::string>(""),
                                           std::optional<std::string>("relative/data")}) {
    ScopedEnv data("XDG_DATA_HOME", value), config("XDG_CONFIG_HOME", value);
    EXPECT_EQ(userfiles::gameDir(Kind::Data), "/home/player/.local/share/stompalong");
    EXPECT_EQ(userfiles::gameDir(Kind::Config), "/home/player/.config/stompalong");
  }
  ScopedEnv noHome("HOME", std::nullopt), noData("XDG_DATA_HOME", std::nullopt);
  EXPECT_EQ(userfiles::gameDir(Kind::Data), fs::path());
}

TEST(UserFiles, WritesMakeTheFolderAndReplaceTheFileWhole) {
  testfiles::TempDir temp("userfiles");
  fs::path folder = temp.path() / "a" / "b";
  fs::path file = folder / "record";
  ASSERT_FALSE(userfiles::writeAtomically(file, "a longer first text\n"));
  EXPECT_EQ(testfiles::readText(file), "a longer first text\n");
  ASSERT_FALSE(userfiles::writeAtomically(file, "2\n"));
  EXPECT_EQ(testfiles::readText(file), "2\n");  // nothing of the longer text is left
  EXPECT_EQ(entries(folder), 1) << "a temporary file was left behind";
}

TEST(UserFiles, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  testfiles::TempDir temp("userfiles-fail");
  fs::path folder = temp.path();
  // A folder in the file's place: the rename over it fails.
  fs::path blocked = folder / "record";
  fs::create_directories(blocked / "inside");
  EXPECT_TRUE(userfiles::writeAtomically(blocked, "3\n"));
  EXPECT_TRUE(fs::is_directory(blocked / "inside"));
  EXPECT_EQ(entries(folder), 1) << "a temporary file was left behind";
  // A plain file where the folder should be: the folder cannot be made.
  testfiles::writeText(folder / "plain", "old\n");
  EXPECT_EQ(userfiles::writeAtomically(folder / "plain" / "record", "3\n"), std::errc::not_a_directory);
  EXPECT_EQ(testfiles::readText(folder / "plain"), "old\n");
}

TEST(UserFiles, ReadsSmallFilesOnly) {
  testfiles::TempDir temp("userfiles-read");
  fs::path folder = temp.path();
  EXPECT_EQ(userfiles::readSmallFile(folder / "missing", 8).error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(userfiles::readSmallFile(folder, 8).error, std::errc::is_a_directory);
  testfiles::writeText(folder / "eight", "12345678");
  userfiles::FileText read = userfiles::readSmallFile(folder / "eight", 8);
  EXPECT_FALSE(read.error);
  EXPECT_EQ(read.text, "12345678");
  read = userfiles::readSmallFile(folder / "eight", 7);
  EXPECT_EQ(read.error, std::errc::file_too_large);
  EXPECT_EQ(read.text, "");
}

}  // namespace
