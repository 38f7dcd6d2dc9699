#include "media/MusicStream.h"

#include "media/SoundBank.h"

void MusicStream::play(bool loop) {
  audio::closeStream(stream_);
  stream_ = audio::openStream(path.c_str(), loop);  // 0 when the file does not open: no music
  audio::playStream(stream_);
}

void MusicStream::stop() { audio::stopStream(stream_); }

void MusicStream::setVolume(float volume) { audio::setStreamVolume(stream_, volumePercent(volume)); }
