// The settings file: a bad line is reported once and keeps its default, and a
// save keeps the player's own lines; a file the game cannot read is never
// written; a folder it cannot write loses nothing. The command line wins over
// the file for its run.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/Options.h"
#include "app/Settings.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;  // file modes hold for this user; the tests run as root

// Runs the check in a child process, as that user when the test runs as root;
// whether it returned true.
bool asNobody(const std::function<bool()>& check) {
  pid_t pid = fork();
  if (pid == 0) _exit((geteuid() != 0 || (setgid(kNobody) == 0 && setuid(kNobody) == 0)) && check() ? 0 : 1);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { testfiles::writeText(file_, "volume = 40\n"); }
  void TearDown() override {
    fs::permissions(file_.parent_path(), fs::perms::owner_all);  // so the folder can be removed
    fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write);
  }
  // stderr while the check runs as nobody, who must see it hold.
  std::string errorsAsNobody(const std::function<bool()>& check) {
    testing::internal::CaptureStderr();
    EXPECT_TRUE(asNobody(check));
    return testing::internal::GetCapturedStderr();
  }

  testfiles::TempDir folder_{"settings"};
  fs::path file_ = folder_.path() / "stompalong" / "settings.txt";
  SettingsFile settings_{file_.string()};
};

size_t lines(const std::string& text) { return size_t(std::count(text.begin(), text.end(), '\n')); }

TEST_F(SettingsFileTest, ABadLineIsReportedOnceAndKeepsItsDefaultAndASaveKeepsThePlayersLines) {
  testfiles::writeText(file_, "# mine\nvolume = 40\nmute = maybe\ncolour = red\nwindow = fullscreen\nvolume = 90\nloud\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(settings_.load(), (Settings{.volume = 40, .muted = false, .fullScreen = true}));
  std::string errors = testing::internal::GetCapturedStderr();
  for (int line : {3, 4, 6, 7})
    EXPECT_NE(errors.find(file_.string() + " line " + std::to_string(line) + ": "), std::string::npos) << errors;
  EXPECT_EQ(lines(errors), 4u) << errors;

  ASSERT_TRUE(settings_.save({.volume = 20, .muted = true, .fullScreen = true}));
  EXPECT_EQ(testfiles::readText(file_), "# mine\nvolume = 20\nmute = yes\ncolour = red\nwindow = fullscreen\nloud\n");
}

TEST_F(SettingsFileTest, AFileTheGameCannotReadIsNeverWritten) {
  fs::permissions(file_.parent_path(), fs::perms::all);  // a save would go through
  fs::permissions(file_, fs::perms::none);
  std::string errors = errorsAsNobody([&] { return settings_.load() == Settings{} && !settings_.save({.volume = 10}); });
  EXPECT_NE(errors.find("cannot read " + file_.string() + ": Permission denied"), std::string::npos) << errors;
  EXPECT_EQ(lines(errors), 1u) << errors;
  fs::permissions(file_, fs::perms::owner_read);
  EXPECT_EQ(testfiles::readText(file_), "volume = 40\n");
}

TEST_F(SettingsFileTest, AFolderTheGameCannotWriteLosesNothingAndSaysSoOnce) {
  fs::permissions(file_.parent_path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::string errors = errorsAsNobody([&] {
    return settings_.load().volume == 40 && !settings_.save({.volume = 10}) && !settings_.save({.volume = 0});
  });
  EXPECT_NE(errors.find("cannot save the settings to " + file_.string() + ": Permission denied"), std::string::npos)
      << errors;
  EXPECT_EQ(lines(errors), 1u) << errors;
  EXPECT_EQ(testfiles::readText(file_), "volume = 40\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), fs::directory_iterator()), 1);
}

TEST(Options, TheCommandLineWinsOverTheFileForItsRun) {
  Options options = readOptions({"--windowed", "--mute"});
  EXPECT_EQ(options.exitStatus, std::nullopt);
  EXPECT_EQ(options.over({.volume = 50, .fullScreen = true}), (Settings{.volume = 50, .muted = true, .fullScreen = false}));
}

}  // namespace
