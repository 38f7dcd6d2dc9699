// The real game's sound and font at start-up: a missing font gives one clear
// line and status 1; the intro music reaches the audio device on the third slide.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Assets.h"
#include "support/GameProcess.h"

namespace {

constexpr size_t kHalfASecond = 44100 * 2 * 4 / 2;  // bytes of float stereo at 44.1 kHz

}  // namespace

TEST(Media, MissingFontGivesOneClearLineAndStatusOne) {
  testfiles::TempDir dir = e2e::fontOnly("nofont");
  std::filesystem::remove(dir.path() / assets::kFont);
  e2e::GameProcess game(std::move(dir), {e2e::kNoLeakCheckAtExit});
  e2e::expectOneLineExit(game, {assets::kFont, ": No such file or directory"});  // the system's reason
}

TEST(Media, IntroMusicStartsOnTheThirdSlide) {
  testfiles::TempDir dir = e2e::copyOfResources("music");
  std::string raw = dir / "audio.raw";
  e2e::GameProcess game(std::move(dir), {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw});
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.stillKey("3");  // second slide: still silent
  size_t pressed = e2e::diskAudio(raw).size();
  ASSERT_TRUE(e2e::waitUntil([&] { return e2e::diskAudio(raw, pressed).size() >= kHalfASecond; }, 20))
      << "the disk driver wrote nothing";
  auto beforeIntro = e2e::diskAudio(raw);
  EXPECT_TRUE(e2e::silent(beforeIntro));

  game.stillKey("3");  // third slide: the intro clip starts
  EXPECT_TRUE(e2e::waitUntil([&] { return !e2e::silent(e2e::diskAudio(raw, beforeIntro.size())); }, 20))
      << "no music in the recording";
  EXPECT_TRUE(game.alive()) << game.report();
}
