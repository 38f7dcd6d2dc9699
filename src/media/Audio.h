// Our small audio layer over SDL2_mixer: exactly the operations the sound bank
// and the music streams rely on. No SDL type leaks past this header.
// Handles are plain numbers; 0 means "none" and every call accepts it.
#pragma once

#include <cstdint>
#include <functional>

namespace audio {

using Sample = uint32_t;   // a sound loaded whole into memory
using Channel = uint32_t;  // one playback of a sample
using Stream = uint32_t;   // a music file streamed from disk

// Opens the output device (44.1 kHz stereo, small buffer); false when there is
// none, and then every load gives 0 and the game runs silent.
bool openDevice();

// Whole file into memory; at most maxPlaybacks sound at once, the playback
// furthest into the sound taken over when all are busy. 0 on failure.
Sample loadSample(const char* path, int maxPlaybacks);
Channel sampleChannel(Sample sample);
void playChannel(Channel channel);
void setChannelVolume(Channel channel, int volume);  // 0..100

Stream openStream(const char* path, bool loop);
void playStream(Stream stream);
void stopStream(Stream stream);
void setStreamVolume(Stream stream, int volume);  // 0..100

// Test seam: called with the sample and volume of every started playback,
// once its volume is set (the sound bank sets it right after the start).
void setPlayObserver(std::function<void(Sample, int volume)> observer);

}  // namespace audio
