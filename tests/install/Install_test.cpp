// The game as cmake --install lays it out under a fresh prefix: every file in
// its place, the menu's files accepted by the distribution's validators, and
// the installed program, started from an unrelated folder, finding its files.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>

#include "InstallLayout.h"
#include "Shell.h"
#include "core/Assets.h"
#include "support/Files.h"
#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace {

// Width and height from a PNG file's header.
std::array<int, 2> pngSize(const fs::path& file) {
  std::string bytes = testfiles::readText(file);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto word = [&](size_t at) {
    int value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[i]);
    return value;
  };
  return {word(16), word(20)};
}

class InstallTest : public ::testing::Test {
 protected:
  // One install for the whole suite, into a prefix that does not exist yet.
  static void SetUpTestSuite() {
    prefix = prefixDir.path() / "usr";
    install = shell::run(std::string(layout::kCmake) + " --install " + shell::quoted(layout::kBuildDir) +
                         " --prefix " + shell::quoted(prefix));
  }
  void SetUp() override { ASSERT_EQ(install.status, 0) << install.output; }

  static fs::path installedResources() {
    return prefix / layout::kDataDir / fs::path(assets::kResourceDir).lexically_normal();
  }
  static fs::path menuFile(const std::string& folder, const std::string& suffix) {
    return prefix / layout::kDataRoot / folder / (layout::kAppId + suffix);
  }

  static inline const testfiles::TempDir prefixDir{"prefix"};
  static inline fs::path prefix;
  static inline shell::Result install;
};

TEST_F(InstallTest, TheGameAndItsFilesAreInPlace) {
  fs::path program = prefix / layout::kBinDir / layout::kName;
  ASSERT_TRUE(fs::is_regular_file(program));
  EXPECT_NE(fs::status(program).permissions() & fs::perms::others_exec, fs::perms::none);

  // Every picture, sound and icon of the checkout (the window shows the icons).
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(assets::kResourceDir)) {
    fs::path relative = entry.path().lexically_relative(assets::kResourceDir);
    std::string top = relative.begin()->string();
    if (!entry.is_regular_file() || top == "fonts") continue;
    ++files;
    fs::path copy = installedResources() / relative;
    ASSERT_TRUE(fs::is_regular_file(copy)) << copy;
    EXPECT_EQ(fs::file_size(copy), entry.file_size()) << copy;
  }
  EXPECT_GE(files, 30);

  fs::path font = installedResources() / assets::underResourceDir(assets::kFont);
  if (layout::kFontIsLink) {
    ASSERT_TRUE(fs::is_symlink(font)) << font;
    EXPECT_EQ(fs::canonical(font), fs::canonical(layout::kSystemFont));
  } else {
    ASSERT_TRUE(fs::is_regular_file(font)) << font;
    EXPECT_EQ(fs::file_size(font), fs::file_size(layout::kSystemFont));
  }

  fs::path docs = prefix / layout::kDocDir;
  EXPECT_EQ(testfiles::readText(docs / "README.md"), testfiles::readText("README.md"));
  fs::path licence = docs / fs::path(layout::kFontLicenseCopy).filename();
  EXPECT_EQ(testfiles::readText(licence), testfiles::readText(layout::kFontLicenseCopy));
  EXPECT_TRUE(fs::is_regular_file(prefix / layout::kManDir / "man6" / (layout::kName + std::string(".6.gz"))));
}

TEST_F(InstallTest, TheMenuFindsTheGameItsIconAndItsDescription) {
  fs::path entry = menuFile("applications", ".desktop");
  shell::Result validation = shell::run("desktop-file-validate " + shell::quoted(entry));
  EXPECT_EQ(validation.status, 0) << validation.output;
  EXPECT_EQ(validation.output, "");
  std::string text = testfiles::readText(entry);
  const std::string name = layout::kName;
  for (const std::string& line : {std::string("Name=Stompalong"), "Exec=" + name, "Icon=" + name,
                                  std::string("StartupWMClass=") + assets::kWindowClass,
                                  std::string("Categories=Game;ActionGame;")})
    EXPECT_NE(text.find("\n" + line + "\n"), std::string::npos) << line << " in\n" << text;

  for (const assets::Icon& icon : assets::kIcons) {
    std::string square = std::to_string(icon.size) + "x" + std::to_string(icon.size);
    fs::path file = prefix / layout::kDataRoot / "icons/hicolor" / square / "apps" / (layout::kName + std::string(".png"));
    EXPECT_EQ(pngSize(file), (std::array<int, 2>{icon.size, icon.size})) << file;
  }

  fs::path metainfo = menuFile("metainfo", ".metainfo.xml");
  validation = shell::run("appstreamcli validate --no-net " + shell::quoted(metainfo));
  EXPECT_EQ(validation.status, 0) << validation.output;
  text = testfiles::readText(metainfo);
  EXPECT_NE(text.find(">" + entry.filename().string() + "</launchable>"), std::string::npos) << text;
  EXPECT_NE(text.find("version=\"" + std::string(layout::kVersion) + "\""), std::string::npos) << text;
}

TEST_F(InstallTest, TheInstalledGameStartsFromAnyFolderAndFindsItsFiles) {
  testfiles::TempDir elsewhere("elsewhere");  // holds no res/
  fs::path audio = elsewhere.path() / "audio.raw";
  setenv("STOMPALONG_BIN", (prefix / layout::kBinDir / layout::kName).c_str(), 1);
  e2e::GameProcess game(elsewhere.path(), {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio.string(),
                                           "XDG_DATA_HOME=" + (elsewhere / "data")});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  // The device opens during start-up.
  EXPECT_TRUE(e2e::waitUntil([&] { return !e2e::diskAudio(audio).empty(); }, 30)) << "the disk audio driver wrote nothing";

  // Without its pictures the slides would show the bare sky colour; with them
  // it takes four presses to reach the game screen, the third starting the music.
  std::vector<uint8_t> beforeMusic;
  for (int slide = 1; slide <= 3; ++slide) {
    EXPECT_FALSE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 0)) << "slide " << slide << " did not show";
    if (slide == 2) beforeMusic = e2e::diskAudio(audio);
    game.key("3");
  }
  EXPECT_TRUE(e2e::silent(beforeMusic));
  EXPECT_TRUE(e2e::waitUntil([&] { return !e2e::silent(e2e::diskAudio(audio, beforeMusic.size())); }, 20))
      << "the intro music did not play";
  game.key("3");
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 20)) << "the game screen did not start";
  EXPECT_TRUE(game.alive()) << game.report();
  game.kill();
  EXPECT_EQ(game.errors().find("Stompalong:"), std::string::npos) << game.errors();
}

}  // namespace
