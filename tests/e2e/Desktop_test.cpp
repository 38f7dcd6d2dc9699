// The game as the desktop sees it: a window that names its class, its process
// and its icons, and a command line that answers --help and --version without
// a display, refuses what it does not know, and chooses full screen for one
// run where F11 chooses it for good.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>

#include "core/Assets.h"
#include "media/PngImage.h"
#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace {

// The version project() gives in the top CMakeLists.txt; tests run from the repository root.
std::string projectVersion() {
  std::string text = testfiles::readText("CMakeLists.txt");
  std::smatch match;
  std::regex_search(text, match, std::regex(R"(project\([^)]*VERSION ([0-9.]+))"));
  return match[1];
}

}  // namespace

TEST(Desktop, TheWindowNamesItsClassItsProcessAndItsIcons) {
  e2e::GameProcess game(e2e::copyOfResources("identity"));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  EXPECT_EQ(game.strings("WM_CLASS"), (std::vector<std::string>{assets::kProgramName, assets::kWindowClass}));
  EXPECT_EQ(game.cardinals("_NET_WM_PID"), std::vector<unsigned long>{static_cast<unsigned long>(game.pid())});

  // Width, height, then ARGB pixels from the top row, for each icon in turn.
  std::vector<unsigned long> icons = game.cardinals("_NET_WM_ICON");
  size_t at = 0;
  for (const assets::Icon& icon : assets::kIcons) {
    ASSERT_LT(at + 1, icons.size()) << "no icon of " << icon.size;
    EXPECT_EQ(icons[at], icon.size);
    EXPECT_EQ(icons[at + 1], icon.size);
    PngImage picture;
    ASSERT_TRUE(picture.load(icon.path, false));
    size_t middle = (picture.rgba.size() / 4 + icon.size) / 2;  // the pixel right of the centre line, mid-height
    const uint8_t* p = &picture.rgba[middle * 4];
    EXPECT_EQ(icons[at + 2 + middle], static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2]);
    at += 2 + static_cast<size_t>(icon.size) * icon.size;
  }
  EXPECT_EQ(at, icons.size());
}

TEST(Desktop, HelpAndVersionPrintWithoutADisplayOrTheSoundDevice) {
  std::string output[2];
  const char* options[2] = {"--help", "--version"};
  for (int i = 0; i < 2; ++i) {
    testfiles::TempDir dir("options");
    std::string audio = dir / "audio.raw";
    e2e::GameProcess game(std::move(dir), {"DISPLAY", "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio},
                          {options[i]});
    ASSERT_EQ(game.waitForExit(30), 0) << options[i] << ": " << game.report();
    EXPECT_EQ(game.errors(), "") << options[i];
    EXPECT_FALSE(fs::exists(audio)) << options[i] << " opened the sound device";
    output[i] = game.output();
  }
  for (const char* option : {"--fullscreen", "--windowed", "--mute", "--help", "--version"})
    EXPECT_NE(output[0].find(option), std::string::npos) << option << " is not in\n" << output[0];
  EXPECT_EQ(output[1], std::string(assets::kProgramName) + " " + projectVersion() + "\n");
}

TEST(Desktop, AnUnknownOptionIsRefusedInOneLine) {
  e2e::GameProcess game(testfiles::TempDir("unknown"), {}, {"--fullscreen", "--frobnicate"});
  e2e::expectOneLineExit(game, {"--frobnicate", "--help"}, 2);
}

// --fullscreen covers the screen for its run and is not kept; F11 is.
TEST(Desktop, FullScreenFromTheOptionIsForOneRunAndFromF11ForGood) {
  testfiles::TempDir config("fullscreen-config");
  std::unique_ptr<e2e::GameProcess> game;
  auto start = [&](const std::vector<std::string>& args) {
    game.reset();  // one game on the server at a time
    game = std::make_unique<e2e::GameProcess>(e2e::copyOfResources("fullscreen"),
                                              std::vector<std::string>{"XDG_CONFIG_HOME=" + config.path().string()}, args);
    ASSERT_TRUE(game->waitForFirstFrame()) << game->report();
  };
  auto coversTheScreen = [&] { return e2e::waitUntil([&] { return game->coversTheScreen(); }, 10); };
  start({"--fullscreen"});
  EXPECT_TRUE(coversTheScreen()) << "--fullscreen did not cover the screen";
  start({});
  ASSERT_TRUE(game->waitForFrames(10));  // a window the settings asked to cover the screen would have by now
  EXPECT_FALSE(game->coversTheScreen()) << "--fullscreen was kept";
  game->key("F11");
  ASSERT_TRUE(coversTheScreen()) << "F11 did not cover the screen";
  start({});  // the first is killed right after the change
  EXPECT_TRUE(coversTheScreen()) << "F11's full screen was not kept";
}
