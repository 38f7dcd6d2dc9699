#include "app/Volume.h"

#include <algorithm>

#include "media/Audio.h"

void Volume::set(int percent, bool muted) {
  percent_ = std::clamp(percent, 0, kFull);
  muted_ = muted;
  apply();
}

bool Volume::update(const FrameInput& input, float dt) {
  barSecondsLeft_ = std::max(0.0f, barSecondsLeft_ - dt);
  int step = (input.volumeUp ? kStep : 0) - (input.volumeDown ? kStep : 0);
  bool stepped = input.volumeUp || input.volumeDown;
  if (!stepped && !input.muteKey) return false;
  barSecondsLeft_ = kBarSeconds;  // a press at either end still shows where the level is
  int percent = std::clamp(percent_ + step, 0, kFull);
  bool muted = stepped ? false : !muted_;  // a step is heard at once
  if (percent == percent_ && muted == muted_) return false;
  set(percent, muted);
  return true;
}

void Volume::apply() const { audio::setMasterVolume(muted_ ? 0.0f : static_cast<float>(percent_) / kFull); }
