// The real game's sound and font at start-up: a missing font gives one clear
// line and status 1; the intro music reaches the audio device on the third slide.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/Assets.h"
#include "support/GameProcess.h"

namespace {

constexpr size_t kHalfASecond = 44100 * 2 * 2 / 2;  // bytes of 16-bit stereo at 44.1 kHz

// Raw device output written by SDL's disk audio driver (16-bit samples), from a byte on.
std::vector<uint8_t> readRaw(const std::string& path, size_t from = 0) {
  std::vector<uint8_t> bytes = testfiles::readBytes(path);
  if (from >= bytes.size()) return {};
  return {bytes.begin() + static_cast<long>(from), bytes.end()};
}

bool silent(const std::vector<uint8_t>& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

using Clock = std::chrono::steady_clock;

// Waits until what the recording holds after the given byte passes the check; false on timeout.
bool waitForRecording(const std::string& path, size_t from, bool (*check)(const std::vector<uint8_t>&)) {
  for (auto start = Clock::now(); Clock::now() - start < std::chrono::seconds(20);) {
    if (check(readRaw(path, from))) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

bool halfASecond(const std::vector<uint8_t>& bytes) { return bytes.size() >= kHalfASecond; }
bool sound(const std::vector<uint8_t>& bytes) { return !silent(bytes); }

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
  ASSERT_TRUE(waitForRecording(raw, pressed, halfASecond)) << "the disk driver wrote nothing";
  auto beforeIntro = readRaw(raw);
  EXPECT_TRUE(silent(beforeIntro));

  game.key("3");  // third slide: the intro clip starts
  EXPECT_TRUE(waitForRecording(raw, beforeIntro.size(), sound)) << "no music in the recording";
  EXPECT_TRUE(game.alive()) << game.report();
}
