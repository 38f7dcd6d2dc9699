// The settings file: a bad line is reported once and keeps its default, and a
// save keeps the player's own lines; a file the game cannot read is never
// written; a folder it cannot write loses nothing and says so once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "app/Settings.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;  // file modes hold for this user; the tests run as root

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { testfiles::writeText(file_, "volume = 40\n"); }
  // What the settings wrote to stderr while the check ran as nobody, in a
  // child process, and held; the file is then as it was.
  std::string errorsAsNobody(const std::function<bool()>& check) {
    testing::internal::CaptureStderr();
    pid_t pid = fork();
    if (pid == 0) _exit((geteuid() != 0 || (setgid(kNobody) == 0 && setuid(kNobody) == 0)) && check() ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(status, 0);
    fs::permissions(file_, fs::perms::owner_read);
    EXPECT_EQ(testfiles::readText(file_), "volume = 40\n");
    return testing::internal::GetCapturedStderr();
  }

  testfiles::TempDir folder_{"settings"};
  fs::path file_ = folder_.path() / "stompalong" / "settings.txt";
  SettingsFile settings_{file_.string()};
};

TEST_F(SettingsFileTest, ABadLineIsReportedOnceAndKeepsItsDefaultAndASaveKeepsThePlayersLines) {
  testfiles::writeText(file_, "# mine\nvolume = 40\nmute = maybe\ncolour = red\nwindow = fullscreen\nvolume = 9\nx\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(settings_.load(), (Settings{.volume = 40, .muted = false, .fullScreen = true}));
  std::string errors = testing::internal::GetCapturedStderr(), each;
  for (int line : {3, 4, 6, 7}) each += "Stompalong: " + file_.string() + " line " + std::to_string(line) + ": .+\n";
  EXPECT_TRUE(std::regex_match(errors, std::regex(each))) << errors;
  ASSERT_TRUE(settings_.save({.volume = 20, .muted = true, .fullScreen = true}));
  EXPECT_EQ(testfiles::readText(file_), "# mine\nvolume = 20\nmute = yes\ncolour = red\nwindow = fullscreen\nx\n");
}

TEST_F(SettingsFileTest, AFileTheGameCannotReadIsNeverWritten) {
  fs::permissions(file_.parent_path(), fs::perms::all);  // a save would go through
  fs::permissions(file_, fs::perms::none);
  std::string errors = errorsAsNobody([&] { return settings_.load() == Settings{} && !settings_.save({}); });
  std::string expected = "Stompalong: cannot read " + file_.string() + ": Permission denied.*\n";
  EXPECT_TRUE(std::regex_match(errors, std::regex(expected))) << errors;
}

TEST_F(SettingsFileTest, AFolderTheGameCannotWriteLosesNothingAndSaysSoOnce) {
  fs::permissions(file_.parent_path(), fs::perms::owner_write | fs::perms::others_write, fs::perm_options::remove);
  auto twice = [&] { return settings_.load().volume == 40 && !settings_.save({}) && !settings_.save({}); };
  std::string errors = errorsAsNobody(twice);
  std::string expected = "Stompalong: cannot save the settings to " + file_.string() + ": Permission denied.*\n";
  EXPECT_TRUE(std::regex_match(errors, std::regex(expected))) << errors;
  EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), fs::directory_iterator()), 1);
}

}  // namespace
