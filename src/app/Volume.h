// The player's volume: the whole mix from silent up to the game's own levels,
// in steps of a tenth, and a mute that keeps the level. The game's relative
// levels (music under the effects, the quieter cheers) stay as they are below
// it. Every volume key shows the volume bar for a moment.
#pragma once

#include "input/FrameInput.h"

class Volume {
 public:
  static constexpr int kFull = 100;         // percent: the game's own levels
  static constexpr int kStep = 10;          // percent per press of - or +
  static constexpr float kBarSeconds = 1.5f;

  // The level and mute a run starts with; shows no bar.
  void set(int percent, bool muted);
  // The frame's volume keys: - and + step the level (and unmute), M mutes and
  // unmutes. True when the level or the mute changed.
  bool update(const FrameInput& input, float dt);

  int percent() const { return percent_; }
  bool muted() const { return muted_; }
  // Seconds the bar still shows; 0 once it has gone.
  float barSecondsLeft() const { return barSecondsLeft_; }

 private:
  void apply() const;

  int percent_ = kFull;  // 0..kFull
  bool muted_ = false;
  float barSecondsLeft_ = 0;  // seconds
};
