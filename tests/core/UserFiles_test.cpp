// The player's files: which folder the XDG variables pick, and writes that
// replace a file whole or not at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
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
  // A link to a file is read; what is no regular file is refused (e2e_SpecialFiles plays on FIFOs).
  fs::create_symlink("/dev/zero", folder / "zero");
  EXPECT_EQ(userfiles::readSmallFile(folder / "zero", 8).error.message(), "not a regular file");
  fs::create_symlink("eight", folder / "link");
  EXPECT_EQ(userfiles::readSmallFile(folder / "link", 8).text, "12345678");
}

// Only temporaries of the game's own making whose process is gone, or that are
// over a minute old, are removed; a player's files beside the file stay.
TEST(UserFiles, OnlyAbandonedTemporariesOfTheGameAreRemoved) {
  testfiles::TempDir temp("userfiles-leftovers");
  const fs::path folder = temp.path();
  const std::string live = ".record.stompalong-" + std::to_string(getpid()) + "-1.tmp";
  const std::string kept[] = {".record.backup", ".record.orig12", ".record.abcdef", live};
  const std::string gone[] = {".record.stompalong-999999999-2.tmp", ".record.stompalong-1-3.tmp"};
  for (const auto& name : kept) testfiles::writeText(folder / name, "mine\n");
  for (const auto& name : gone) testfiles::writeText(folder / name, "left\n");
  // pid 1 lives, but its temporary is two minutes old.
  fs::last_write_time(folder / gone[1], fs::file_time_type::clock::now() - std::chrono::minutes(2));
  ASSERT_FALSE(userfiles::writeAtomically(folder / "record", "1\n"));
  for (const auto& name : kept) EXPECT_TRUE(fs::exists(folder / name)) << name;
  for (const auto& name : gone) EXPECT_FALSE(fs::exists(folder / name)) << name;
}

// A link is written through, the file it names replaced in its own folder,
// with the mode it had; a text the next read would refuse is not written.
TEST(UserFiles, WritesGoThroughLinksKeepTheModeAndStayReadable) {
  testfiles::TempDir temp("userfiles-link");
  const fs::path real = temp.path() / "elsewhere" / "record", link = temp.path() / "record";
  testfiles::writeText(real, "1\n");
  fs::permissions(real, fs::perms(0640));
  fs::create_symlink("elsewhere/record", link);
  ASSERT_FALSE(userfiles::updateAtomically(link, 8, [](const userfiles::FileText& old) { return old.text + "2\n"; }));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(testfiles::readText(real), "1\n2\n");
  EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
  EXPECT_EQ(userfiles::updateAtomically(link, 8, [](const userfiles::FileText&) { return std::string(9, '3'); }),
            std::errc::file_too_large);
  EXPECT_EQ(testfiles::readText(real), "1\n2\n");
  EXPECT_EQ(entries(real.parent_path()), 2) << "the file and its lock only";
}

}  // namespace
