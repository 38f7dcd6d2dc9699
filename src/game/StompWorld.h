// StompWorld: the rules of the game. Turns pad presses into stomps, scores
// them, picks the sounds, lifts feet, orbits the camera and spawns waves.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "game/BestStomp.h"
#include "game/PadSquare.h"
#include "input/FrameInput.h"
#include "media/SoundBank.h"

class VictimCrowd;
class FootManager;

class StompWorld {
 public:
  static constexpr float kStompVolume = 1.0f;  // squish and explosion, 0..1

  // The game's world, playing with the global crowd and feet.
  static StompWorld& instance();
  // A world of its own over the given crowd and feet (tests build these).
  StompWorld(VictimCrowd& crowd, FootManager& feet);

  // Where update(dt) takes the frame's pad buttons from, and what draws the
  // score: the app hands both over at start. Without a source nothing is
  // pressed; without a drawer drawScore draws nothing.
  using InputSource = std::function<const PadFrame&()>;
  using ScoreDrawer = std::function<void(const StompWorld&)>;
  void setInputSource(InputSource source) { inputSource_ = std::move(source); }
  void setScoreDrawer(ScoreDrawer drawer) { scoreDrawer_ = std::move(drawer); }

  // Sounds, then the first wave.
  void init();
  void loadSounds();
  void spawnWave();
  // One frame of the rules, with the input source's frame.
  void update(float dt);
  // One frame of the rules with this frame's pad buttons; pad 0 (and the keyboard) plays.
  void update(float dt, const PadFrame& pads);
  int squareForButton(int button) const;
  void drawScore() const;
  // From now on the best stomp of all runs starts from this file and every new
  // record is written to it the moment it is set.
  void keepBestEverIn(const std::filesystem::path& file);

  int mostPerStomp() const { return mostPerStomp_; }
  int lastStomp() const { return lastStomp_; }
  int bestEver() const { return bestEver_; }
  int targetAngle() const { return targetAngle_; }
  float viewAngle() const { return viewAngle_; }
  const std::array<PadSquare, kSquareCount>& squares() const { return squares_; }

 private:
  void stomp(int button);
  void score(int squashed);
  void orbitCamera(float dt);
  void endWave();

  VictimCrowd& crowd_;
  FootManager& feet_;
  InputSource inputSource_;
  ScoreDrawer scoreDrawer_;
  float elapsedTime_ = 0;                          // seconds; drives the camera's height wave and pitch wobble
  std::array<PadSquare, kSquareCount> squares_;    // the floor grid, in square-index order
  int targetAngle_ = -90;                          // degrees; steps of 90, never wrapped
  float viewAngle_ = -90;                          // degrees; eases toward targetAngle_
  SoundGroup squishSounds_;
  SoundGroup explosionSounds_;
  SoundGroup cheerSounds_;
  int mostPerStomp_ = 0;                           // best stomp of the run
  int lastStomp_ = 0;                              // victims squashed by the latest stomp
  int bestEver_ = 0;                               // best stomp of all runs, this one included
  std::optional<BestStompFile> bestEverFile_;      // none: the best ever lives only as long as the world
};
