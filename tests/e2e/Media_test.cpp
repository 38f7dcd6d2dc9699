// The real game's sound and font at start-up: a missing font gives one clear
// line and status 1; the intro music reaches the audio device on the third slide.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/GameProcess.h"

namespace {

// Raw device output written by SDL's disk audio driver (float samples; silence is zero bytes).
std::vector<char> readRaw(const std::string& path, size_t from) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (from >= bytes.size()) return {};
  return {bytes.begin() + static_cast<long>(from), bytes.end()};
}

bool silent(const std::vector<char>& bytes) {
  for (char b : bytes)
    if (b != 0) return false;
  return true;
}

}  // namespace

TEST(Media, MissingFontGivesOneClearLineAndStatusOne) {
  std::string dir = e2e::makeWorkDir("nofont", false);
  std::filesystem::remove(dir + "/res/fonts/Cookies.ttf");
  e2e::GameProcess game(dir, {e2e::kNoLeakCheckAtExit});
  EXPECT_EQ(game.waitForExit(30), 1);
  std::string errors = game.errors();
  EXPECT_NE(errors.find("./res/fonts/Cookies.ttf"), std::string::npos) << errors;
  EXPECT_NE(errors.find("FT_New_Face failed"), std::string::npos) << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST(Media, IntroMusicStartsOnTheThirdSlide) {
  std::string dir = e2e::makeWorkDir("music", true);
  std::string raw = dir + "/audio.raw";
  e2e::GameProcess game(dir, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw});
  ASSERT_NE(game.waitForWindow(), 0u) << game.errors();
  for (int i = 0; i < 300 && readRaw(raw, 0).empty(); ++i) e2e::pause(0.1);  // the device opens during start-up
  e2e::pause(0.5);
  game.key("3");  // second slide: still silent
  e2e::pause(1.0);
  auto beforeIntro = readRaw(raw, 0);
  ASSERT_FALSE(beforeIntro.empty()) << "the disk driver wrote nothing";
  EXPECT_TRUE(silent(beforeIntro));

  game.key("3");  // third slide: the intro clip starts
  e2e::pause(1.5);
  EXPECT_FALSE(silent(readRaw(raw, beforeIntro.size())));
  EXPECT_TRUE(game.alive()) << game.errors();
}
