// The real game's sound and font at start-up: a missing font gives one clear
// line and status 1; the intro music reaches the audio device on the third slide.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/Assets.h"
#include "support/GameProcess.h"

namespace {

constexpr size_t kHalfASecond = 44100 * 2 * 4 / 2;  // bytes of float stereo at 44.1 kHz

// Raw device output written by SDL's disk audio driver (float samples; silence is
// zero bytes), from a byte on.
std::vector<uint8_t> readRaw(const std::string& path, size_t from = 0) {
  std::vector<uint8_t> bytes = testfiles::readBytes(path);
  if (from >= bytes.size()) return {};
  return {bytes.begin() + static_cast<long>(from), bytes.end()};
}

bool silent(const std::vector<uint8_t>& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

}  // namespace

TEST(Media, MissingFontGivesOneClearLineAndStatusOne) {
  testfiles::TempDir dir = e2e::fontOnly("nofont");
  std::filesystem::remove(dir.path() / assets::kFont);
  e2e::GameProcess game(std::move(dir), {e2e::kNoLeakCheckAtExit});
  ASSERT_EQ(game.waitForExit(30), 1) << game.report();
  std::string errors = game.errors();
  EXPECT_NE(errors.find(assets::kFont), std::string::npos) << errors;
  EXPECT_NE(errors.find(": No such file or directory"), std::string::npos) << errors;  // the system's reason
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST(Media, IntroMusicStartsOnTheThirdSlide) {
  testfiles::TempDir dir = e2e::copyOfResources("music");
  std::string raw = dir / "audio.raw";
  e2e::GameProcess game(std::move(dir), {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.key("3");  // second slide: still silent
  size_t pressed = testfiles::readBytes(raw).size();
  ASSERT_TRUE(e2e::waitUntil([&] { return readRaw(raw, pressed).size() >= kHalfASecond; }, 20))
      << "the disk driver wrote nothing";
  auto beforeIntro = readRaw(raw);
  EXPECT_TRUE(silent(beforeIntro));

  game.key("3");  // third slide: the intro clip starts
  EXPECT_TRUE(e2e::waitUntil([&] { return !silent(readRaw(raw, beforeIntro.size())); }, 20))
      << "no music in the recording";
  EXPECT_TRUE(game.alive()) << game.report();
}
