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

// Opens the output device (44.1 kHz stereo, small buffer, mixed in float and
// ended in a limiter so the mix never clips); false when there is none, and
// then every load gives 0 and the game runs silent. The device closes at exit.
bool openDevice();
// Frees every sample and stream and closes the device; every handle is dead after.
void closeDevice();

// The most a sound effect's file may hold (30 seconds of sound, which is what
// a sample may last, take some 10 MB even as 48 kHz stereo float), and a music
// file's, which is streamed. Anything larger, and anything but a regular file
// (a FIFO, /dev/zero), is refused before a byte is read, as a missing file is.
constexpr uint64_t kMostSampleFileBytes = uint64_t{16} << 20;
constexpr uint64_t kMostMusicFileBytes = uint64_t{64} << 20;

// Whole file into memory, whatever its name says it is; at most maxPlaybacks
// sound at once, the playback furthest into the sound taken over when all are
// busy. 0 on failure, and for a sound longer than 30 seconds: refused before
// decoding when its header or its stream decoder gives the length, else after.
Sample loadSample(const char* path, int maxPlaybacks);
Channel sampleChannel(Sample sample);
void playChannel(Channel channel);
void setChannelVolume(Channel channel, int volume);  // 0..100

// The decoder is chosen by the file's content, not its name. 0 on failure.
Stream openStream(const char* path, bool loop);
void closeStream(Stream stream);  // stops it if it plays and frees it
int openStreamCount();            // streams opened and not yet closed
void playStream(Stream stream);
void stopStream(Stream stream);
void setStreamVolume(Stream stream, int volume);  // 0..100

// The player's volume, 0..1 (clamped), over every sound and stream at once and
// ahead of the limiter: the mix's own levels stay as they are relative to each
// other. Applies from the next mix buffer; kept while the device closes and opens.
void setMasterVolume(float volume);

// Test seam: called with the sample and volume of every started playback,
// once its volume is set (the sound bank sets it right after the start).
void setPlayObserver(std::function<void(Sample, int volume)> observer);

}  // namespace audio
