#include "media/SoundBank.h"

#include <algorithm>

#include "core/Random.h"

namespace {

// Voices one effect may hold at once; a fifth play takes over the oldest.
constexpr int kMaxPlaybacks = 4;

}  // namespace

SoundBank& SoundBank::instance() {
  static SoundBank* bank = new SoundBank;
  return *bank;
}

void SoundBank::initAudio() {
  audio::openDevice();  // without a device the game runs silent: every load gives 0
}

void SoundGroup::addSound(const std::string& path) {
  SoundBank& bank = SoundBank::instance();
  audio::Sample sample = bank.find(path);
  if (sample == 0) {
    sample = audio::loadSample(path.c_str(), kMaxPlaybacks);
    bank.add(path, sample);  // a stored 0 counts as absent, so a failed file is tried again
  }
  if (sample != 0) samples_.push_back(sample);
}

void SoundGroup::playRandom(float volume) {
  if (samples_.empty()) return;
  audio::Sample sample = samples_[randomInt(size())];
  audio::Channel channel = audio::sampleChannel(sample);
  audio::playChannel(channel);
  audio::setChannelVolume(channel, volumePercent(volume));
}

int volumePercent(float volume) {
  // In double: a 32-bit 0.7 lies just below 0.7 and must give 69, where a
  // float product would round up to exactly 70.
  return static_cast<int>(static_cast<double>(std::clamp(volume, 0.0f, 1.0f)) * 100.0);
}
