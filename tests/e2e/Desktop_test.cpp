// The game as the desktop sees it: its window names its class, its process and
// its icons; --help and --version need no display; an unknown option is
// refused; --fullscreen covers the screen for one run, F11 for good.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>

#include "core/Assets.h"
#include "install/Shell.h"
#include "support/GameProcess.h"

// As xprop, the desktop's own tool, reads them.
TEST(Desktop, TheWindowNamesItsClassItsProcessAndItsIcons) {
  e2e::GameProcess game(e2e::copyOfResources("identity"));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  std::string xprop = shell::run("xprop -notype -len 1000000 -id " + std::to_string(game.window()) +
                                 " WM_CLASS _NET_WM_PID _NET_WM_ICON").output;
  std::vector<std::string> expected = {"WM_CLASS = \"" + std::string(assets::kProgramName) + "\", \"" +
                                           assets::kWindowClass + "\"\n", "_NET_WM_PID = " + std::to_string(game.pid())};
  for (const assets::Icon& icon : assets::kIcons)
    expected.push_back("\tIcon (" + std::to_string(icon.size) + " x " + std::to_string(icon.size) + "):");
  for (const std::string& line : expected) EXPECT_NE(xprop.find(line), std::string::npos) << line;
}

TEST(Desktop, HelpAndVersionPrintWithoutADisplayOrTheSoundDevice) {
  std::smatch number;  // as project() in the top CMakeLists.txt gives it; tests run from the repository root
  std::string cmake = testfiles::readText("CMakeLists.txt");
  ASSERT_TRUE(std::regex_search(cmake, number, std::regex(R"(project\([^)]*VERSION ([0-9.]+))")));
  for (std::string option : {"--version", "--help"}) {
    testfiles::TempDir dir("options");
    std::string audio = dir / "audio.raw";
    e2e::GameProcess game(std::move(dir), {"DISPLAY", "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio}, {option});
    ASSERT_EQ(game.waitForExit(30), 0) << option << ": " << game.report();
    EXPECT_FALSE(std::filesystem::exists(audio)) << option << " opened the sound device";
    std::string expected = option == "--help" ? "--windowed" : std::string(assets::kProgramName) + " " + number[1].str() + "\n";
    EXPECT_NE(game.output().find(expected), std::string::npos) << game.output();
  }
}

TEST(Desktop, AnUnknownOptionOrAValueOutOfRangeIsRefusedInOneLine) {
  e2e::GameProcess game(testfiles::TempDir("unknown"), {}, {"--fullscreen", "--frobnicate"});
  e2e::expectOneLineExit(game, {"--frobnicate", "--help"}, 2);
  e2e::GameProcess shortRound(testfiles::TempDir("round"), {}, {"--round", "29"});
  e2e::expectOneLineExit(shortRound, {"--round", "29"}, 2);
}

TEST(Desktop, FullScreenFromTheOptionIsForOneRunAndFromF11ForGood) {
  testfiles::TempDir config("fullscreen-config");
  std::unique_ptr<e2e::GameProcess> game;
  auto start = [&](const std::vector<std::string>& args) {
    game.reset();  // killed, right after any change; one game on the server at a time
    game = std::make_unique<e2e::GameProcess>(e2e::copyOfResources("fullscreen"),
                                              std::vector<std::string>{"XDG_CONFIG_HOME=" + config / ""}, args);
    EXPECT_TRUE(game->waitForFirstFrame()) << game->report();
  };
  auto covers = [&] { return e2e::waitUntil([&] { return game->coversTheScreen(); }, 10); };
  start({"--fullscreen"});
  EXPECT_TRUE(covers()) << "--fullscreen did not cover the screen";
  EXPECT_FALSE(std::filesystem::exists(config.path() / "stompalong")) << "--fullscreen was saved";
  game->key("F11");
  EXPECT_TRUE(e2e::waitUntil([&] { return !game->coversTheScreen(); }, 10)) << "F11 did not give a window";
  game->key("F11");
  EXPECT_TRUE(covers()) << "F11 did not cover the screen";
  start({});
  EXPECT_TRUE(covers()) << "F11's full screen was not kept";
}
