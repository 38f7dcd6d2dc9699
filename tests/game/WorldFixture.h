// Shared set-up for the game world's tests: a temp working dir with small WAV
// files under every sound name the world loads, the audio device on SDL's
// dummy driver, sounds counted through the audio layer's observer seam, keys
// pressed on a keyboard state of the test's own, and a world over its own crowd and feet.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "core/Random.h"
#include "game/StompWorld.h"
#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "media/Audio.h"
#include "media/SoundBank.h"
#include "objects/Arena.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "support/Files.h"
#include "support/GlTest.h"
#include "support/Walkers.h"

namespace worldtest {

inline std::map<std::string, std::vector<std::string>> soundFiles() {
  using Files = std::vector<std::string>;
  return {{"squish", Files(std::begin(assets::kSquishes), std::end(assets::kSquishes))},
          {"explosion", Files(std::begin(assets::kExplosions), std::end(assets::kExplosions))},
          {"cheer", Files(std::begin(assets::kCheers), std::end(assets::kCheers))}};
}

struct Play {
  std::string group;
  int volume;  // percent
  bool operator==(const Play&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Play& p) { return out << p.group << "@" << p.volume; }

// Moves the whole test binary into a fresh working dir with a short silent
// WAV under every sound name (the mixer goes by content, not by extension),
// so the world's "./res/..." names resolve there.
inline void enterSoundDir() {
  static const testfiles::TempDir dir = [] {
    testfiles::TempDir made("world");
    std::filesystem::create_directories(made.path() / assets::kResourceDir / "audio");
    std::filesystem::create_directories(made.path() / assets::kResourceDir / "images");
    for (auto& [group, files] : soundFiles())
      for (auto& file : files) testfiles::writeSquareWav(made.path() / file, 0.005, 0);
    if (chdir(made.path().c_str()) != 0) std::perror("chdir");
    SoundBank::instance().initAudio();
    arena.addBlockedRect(kCentreSquare);  // what the arena's load adds
    return made;
  }();
}

class WorldTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { enterSoundDir(); }

  void SetUp() override {
    world.loadSounds();
    for (auto& [group, files] : soundFiles())
      for (auto& file : files) groupOf[SoundBank::instance().find(file)] = group;
    audio::setPlayObserver([this](audio::Sample s, int volume) { plays.push_back({groupOf[s], volume}); });
    randomInt(1);  // seeds once; then a fixed sequence
    srand(2024);
  }

  void TearDown() override { audio::setPlayObserver(nullptr); }

  // One frame: input first, then the world's rules with the frame's input.
  void frame(float dt = kFrame) {
    keys.tick(dt);
    world.update(dt, readFrameInput(keys).pads);
  }
  void press(std::initializer_list<unsigned char> pressed, float dt = kFrame) {
    for (unsigned char k : pressed) keys.onKeyDown(k, 0, 0);
    frame(dt);
  }
  void release(std::initializer_list<unsigned char> released, float dt = kFrame) {
    for (unsigned char k : released) keys.onKeyUp(k, 0, 0);
    frame(dt);
  }

  Victim* addWalker(float x, float y, bool loaded = false) { return walkers::addWalker(crowd, x, y, loaded); }

  static constexpr float kFrame = 0.016f;
  KeyboardState keys;  // the test's own keyboard, never opened: no pads
  VictimCrowd crowd;
  FootManager feet;
  StompWorld world{crowd, feet};
  std::map<audio::Sample, std::string> groupOf;
  std::vector<Play> plays;
};

}  // namespace worldtest
