// Shared set-up for the game world's tests: a temp working dir with small WAV
// files under every sound name the world loads, the audio device on SDL's
// dummy driver, sounds counted through the audio layer's observer seam, keys
// pressed through the keyboard state, and a world over its own crowd and feet.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "core/Random.h"
#include "game/StompWorld.h"
#include "game/VictimCrowd.h"
#include "input/KeyboardState.h"
#include "media/Audio.h"
#include "media/SoundBank.h"
#include "objects/Arena.h"
#include "objects/Foot.h"
#include "support/GlTest.h"

namespace worldtest {

// A short silent 16-bit mono WAV; the mixer recognises it by content, whatever the extension.
inline void writeWav(const std::string& path) {
  const uint32_t samples = 64, rate = 22050, dataBytes = samples * 2;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4); u32(36 + dataBytes); out.write("WAVE", 4);
  out.write("fmt ", 4); u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
  out.write("data", 4); u32(dataBytes);
  for (uint32_t i = 0; i < samples; ++i) u16(0);
}

inline std::map<std::string, std::vector<std::string>> soundFiles() {
  std::map<std::string, std::vector<std::string>> files;
  for (int i = 1; i <= 7; ++i) files["squish"].push_back("./res/audio/squish0" + std::to_string(i) + ".mp3");
  for (int i = 1; i <= 6; ++i) files["explosion"].push_back("./res/audio/explosion0" + std::to_string(i) + ".mp3");
  for (int i = 1; i <= 2; ++i) files["cheer"].push_back("./res/audio/cheer" + std::to_string(i) + ".wav");
  return files;
}

struct Play {
  std::string group;
  int volume;  // percent
  bool operator==(const Play&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Play& p) { return out << p.group << "@" << p.volume; }

// Moves the whole test binary into a fresh working dir with the sound files,
// so the world's "./res/..." names resolve there.
inline void enterSoundDir() {
  static bool done = false;
  if (done) return;
  done = true;
  std::string dir = testgl::tempDir("world");
  std::filesystem::create_directories(dir + "/res/audio");
  std::filesystem::create_directories(dir + "/res/images");
  for (auto& [group, files] : soundFiles())
    for (auto& file : files) writeWav(dir + "/" + file);
  if (chdir(dir.c_str()) != 0) std::perror("chdir");
  SoundBank::instance().initAudio();
  arena.addBlockedRect({-5, -5, 5, 5});  // what the arena's load adds
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

  void TearDown() override {
    audio::setPlayObserver(nullptr);
    KeyboardState& keys = KeyboardState::instance();
    for (unsigned char k : {'q', 'w', 'e', 'a', 'd', 'z', 'x', 'c', '1', '3'}) keys.onKeyUp(k, 0, 0);
    keys.onKeyUp(0, 0, 0);
    keys.tick(0);
    keys.tick(0);
  }

  // One frame: input first, then the world's rules.
  void frame(float dt = kFrame) {
    KeyboardState::instance().tick(dt);
    world.update(dt);
  }
  void press(std::initializer_list<unsigned char> keys, float dt = kFrame) {
    for (unsigned char k : keys) KeyboardState::instance().onKeyDown(k, 0, 0);
    frame(dt);
  }
  void release(std::initializer_list<unsigned char> keys, float dt = kFrame) {
    for (unsigned char k : keys) KeyboardState::instance().onKeyUp(k, 0, 0);
    frame(dt);
  }

  Victim* addWalker(float x, float y) {
    auto victim = std::make_unique<Victim>();
    victim->setState(Victim::Walking);
    victim->setPosition({x, y, 0});
    Victim* raw = victim.get();
    crowd.add(std::move(victim));
    return raw;
  }

  static constexpr float kFrame = 0.016f;
  VictimCrowd crowd;
  FootManager feet;
  StompWorld world{crowd, feet};
  std::map<audio::Sample, std::string> groupOf;
  std::vector<Play> plays;
};

}  // namespace worldtest
