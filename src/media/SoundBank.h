// SoundBank opens the audio device and caches loaded samples by file name;
// a SoundGroup plays one of its samples at random.
#pragma once

#include <string>
#include <vector>

#include "core/PathCache.h"
#include "media/Audio.h"

class SoundBank {
 public:
  static SoundBank& instance();

  void initAudio();
  audio::Sample find(const std::string& path) const { return samples_.find(path); }
  void add(const std::string& path, audio::Sample sample) { samples_.add(path, sample); }

 private:
  PathCache<audio::Sample> samples_;
};

class SoundGroup {
 public:
  // Loads (or reuses) the file's sample and adds it; a file that fails is left out.
  void addSound(const std::string& path);
  // Plays one member at random; volume 0..1, clamped.
  void playRandom(float volume);
  int size() const { return static_cast<int>(samples_.size()); }

 private:
  std::vector<audio::Sample> samples_;  // all non-zero, in the order added
};

// Volume 0..1 as the audio layer's whole percentage: clamped, truncated.
int volumePercent(float volume);
