// The Debian package that ./package builds: its name and fields, what it holds,
// lintian's verdict, and, as root on a throwaway machine (CI), a real install
// and removal with dpkg.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "InstallLayout.h"
#include "Shell.h"
#include "core/Assets.h"
#include "support/Files.h"
#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace {

struct Entry {
  char type;           // '-' file, 'd' folder, 'l' link
  bool executable;
  std::string target;  // of a link
};

// The archive's entries by absolute path, from dpkg-deb's listing.
std::map<fs::path, Entry> listing(const fs::path& deb) {
  std::map<fs::path, Entry> entries;
  std::istringstream lines(shell::run("dpkg-deb --contents " + shell::quoted(deb)).output);
  std::string mode, owner, size, date, time, path, arrow, target;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    fields >> mode >> owner >> size >> date >> time >> path;
    target.clear();
    if (mode[0] == 'l') fields >> arrow >> target;
    fs::path absolute = fs::path(path.substr(1)).lexically_normal();  // "./usr/..." to "/usr/..."
    if (absolute.has_filename() == false) absolute = absolute.parent_path();
    entries[absolute] = {mode[0], mode[3] == 'x', target};
  }
  return entries;
}

std::string field(const fs::path& deb, const std::string& name) {
  std::string value = shell::run("dpkg-deb --field " + shell::quoted(deb) + " " + name).output;
  return value.substr(0, value.find_last_not_of('\n') + 1);
}

class DebTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    build = shell::run("./package");
    // The last line names the package, from the repository root.
    std::string out = build.output.substr(0, build.output.find_last_not_of('\n') + 1);
    deb = out.substr(out.find_last_of('\n') + 1);
    entries = listing(deb);
  }
  void SetUp() override {
    ASSERT_EQ(build.status, 0) << build.output;
    ASSERT_TRUE(fs::is_regular_file(deb)) << build.output;
  }

  // The one executable file named after the game, right below /usr (bin or games).
  static fs::path program() {
    for (const auto& [path, entry] : entries)
      if (entry.type == '-' && entry.executable && path.filename() == layout::kName &&
          path.parent_path().parent_path() == "/usr")
        return path;
    return {};
  }
  static bool holds(const fs::path& path, char type = '-') {
    auto found = entries.find(path);
    return found != entries.end() && found->second.type == type;
  }

  static inline shell::Result build;
  static inline fs::path deb;
  static inline std::map<fs::path, Entry> entries;
};

const fs::path kUsr = "/usr";

TEST_F(DebTest, NamedAfterTheVersionAndArchitectureWithComputedDependencies) {
  std::string architecture = shell::run("dpkg --print-architecture").output;
  architecture.pop_back();
  EXPECT_EQ(deb, fs::path("dist") / (std::string(layout::kName) + "_" + layout::kVersion + "_" + architecture + ".deb"));
  EXPECT_EQ(field(deb, "Version"), layout::kVersion);
  std::string depends = field(deb, "Depends");
  for (std::string package : {std::string(layout::kFontPackage), std::string("libc6 "), std::string("libsdl2-mixer")})
    EXPECT_NE(depends.find(package), std::string::npos) << package << " in " << depends;
}

TEST_F(DebTest, HoldsTheGameItsFilesTheMenusFilesAndTheDocuments) {
  EXPECT_FALSE(program().empty()) << "no program below /usr";
  fs::path resources = kUsr / layout::kDataDir / fs::path(assets::kResourceDir).lexically_normal();
  for (const auto& file : fs::recursive_directory_iterator(assets::kResourceDir)) {
    fs::path relative = file.path().lexically_relative(assets::kResourceDir);
    std::string top = relative.begin()->string();
    if (!file.is_regular_file() || top == "fonts") continue;  // the icons too: the window shows them
    EXPECT_TRUE(holds(resources / relative)) << relative;
  }
  fs::path font = resources / assets::underResourceDir(assets::kFont);
  ASSERT_TRUE(holds(font, 'l')) << font;
  EXPECT_EQ((font.parent_path() / entries[font].target).lexically_normal(), layout::kSystemFont);

  fs::path share = kUsr / layout::kDataRoot;
  EXPECT_TRUE(holds(share / "applications" / (layout::kAppId + std::string(".desktop"))));
  EXPECT_TRUE(holds(share / "metainfo" / (layout::kAppId + std::string(".metainfo.xml"))));
  for (const assets::Icon& icon : assets::kIcons) {
    std::string square = std::to_string(icon.size) + "x" + std::to_string(icon.size);
    EXPECT_TRUE(holds(share / "icons/hicolor" / square / "apps" / (layout::kName + std::string(".png")))) << square;
  }
  fs::path docs = kUsr / layout::kDocDir;
  for (const char* document : {"README.md", "copyright", "changelog.gz"}) EXPECT_TRUE(holds(docs / document)) << document;
  EXPECT_TRUE(holds(docs / fs::path(layout::kFontLicenseCopy).filename()));
  EXPECT_TRUE(holds(kUsr / layout::kManDir / "man6" / (layout::kName + std::string(".6.gz"))));
}

TEST_F(DebTest, LintianFindsNoErrors) {
  shell::Result lintian = shell::run("lintian " + shell::quoted(deb));
  EXPECT_EQ(lintian.status, 0) << lintian.output;
  EXPECT_EQ(lintian.output.find("\nE: "), std::string::npos) << lintian.output;
  EXPECT_NE(lintian.output.rfind("E: ", 0), 0u) << lintian.output;
}

TEST_F(DebTest, InstallsPlaysAndRemovesWithDpkg) {
  if (geteuid() != 0 || !std::getenv("CI")) GTEST_SKIP() << "dpkg installs only as root on a throwaway machine (CI)";
  if (shell::run("dpkg-query --show --showformat='${Status}' " + std::string(layout::kName)).output.find(" installed") !=
      std::string::npos)
    GTEST_SKIP() << "the game is installed on this machine already: left alone";
  shell::Result installed = shell::run("dpkg --install " + shell::quoted(deb));
  ASSERT_EQ(installed.status, 0) << installed.output;

  fs::path font = kUsr / layout::kDataDir / fs::path(assets::kResourceDir).lexically_normal() /
                  assets::underResourceDir(assets::kFont);
  EXPECT_EQ(fs::canonical(font), fs::canonical(layout::kSystemFont));
  {
    testfiles::TempDir elsewhere("from-dpkg");  // holds no res/
    setenv("STOMPALONG_BIN", program().c_str(), 1);
    e2e::GameProcess game(elsewhere.path(), {"XDG_DATA_HOME=" + (elsewhere / "data")});
    EXPECT_TRUE(game.waitForFirstFrame()) << game.report();
    EXPECT_TRUE(game.waitForFrames(30)) << game.report();  // and it keeps drawing
    EXPECT_TRUE(game.alive()) << game.report();
  }

  shell::Result removed = shell::run("dpkg --purge " + std::string(layout::kName));
  EXPECT_EQ(removed.status, 0) << removed.output;
  EXPECT_FALSE(fs::exists(program()));
  EXPECT_FALSE(fs::exists(kUsr / layout::kDataDir));
}

}  // namespace
