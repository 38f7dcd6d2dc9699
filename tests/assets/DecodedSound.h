// Sound files decoded the way the game hears them: through SDL_mixer with the
// device the audio layer opened (44.1 kHz, float, stereo).
#pragma once

#include <SDL2/SDL_mixer.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "support/DiskRecording.h"

namespace assets {

constexpr int kRate = testfiles::DiskRecording::kRate;          // samples per second, device and files
constexpr int kChannels = testfiles::DiskRecording::kChannels;  // the device is stereo; mono files play on both sides
constexpr float kFullScale = 32767.0f / 32768;  // what a 16-bit output cannot go past

struct DecodedSound {
  std::vector<float> pcm;  // interleaved left, right; full scale is 1
  size_t frames() const { return pcm.size() / kChannels; }
  double seconds() const { return double(frames()) / kRate; }
};

// Empty when SDL_mixer cannot decode the file.
inline DecodedSound decode(const std::string& path) {
  DecodedSound d;
  if (Mix_Chunk* chunk = Mix_LoadWAV(path.c_str())) {
    const float* samples = reinterpret_cast<const float*>(chunk->abuf);
    d.pcm.assign(samples, samples + chunk->alen / sizeof(float));
    Mix_FreeChunk(chunk);
  }
  return d;
}

inline double rms(const DecodedSound& d) {
  double sum = 0;
  for (float v : d.pcm) sum += double(v) * v;
  return d.pcm.empty() ? 0 : std::sqrt(sum / d.pcm.size());
}

inline float peak(const DecodedSound& d) { return testfiles::peakOf(d.pcm); }

}  // namespace assets
