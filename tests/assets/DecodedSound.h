// Sound files decoded the way the game hears them: through SDL_mixer with the
// device the audio layer opened (44.1 kHz, 16-bit, stereo).
#pragma once

#include <SDL2/SDL_mixer.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

constexpr int kRate = 44100;  // samples per second, device and files
constexpr int kChannels = 2;  // the device is stereo; mono files play on both sides

struct DecodedSound {
  std::vector<int16_t> pcm;  // interleaved left, right
  size_t frames() const { return pcm.size() / kChannels; }
  double seconds() const { return double(frames()) / kRate; }
};

// Empty when SDL_mixer cannot decode the file.
inline DecodedSound decode(const std::string& path) {
  DecodedSound d;
  if (Mix_Chunk* chunk = Mix_LoadWAV(path.c_str())) {
    const int16_t* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
    d.pcm.assign(samples, samples + chunk->alen / sizeof(int16_t));
    Mix_FreeChunk(chunk);
  }
  return d;
}

inline double rms(const DecodedSound& d) {
  double sum = 0;
  for (int16_t v : d.pcm) sum += double(v) * v;
  return d.pcm.empty() ? 0 : std::sqrt(sum / d.pcm.size()) / 32768.0;
}

}  // namespace assets
