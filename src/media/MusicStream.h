// MusicStream: one music file streamed from disk, optionally looping. It holds
// at most one open stream: a new play frees the previous one, and so does the
// end of the object (the audio layer frees what is left at exit).
#pragma once

#include <string>

#include "media/Audio.h"

class MusicStream {
 public:
  MusicStream() = default;
  MusicStream(const MusicStream&) = delete;
  MusicStream& operator=(const MusicStream&) = delete;
  ~MusicStream() { audio::closeStream(stream_); }

  void play(bool loop);
  void stop();
  void setVolume(float volume);  // 0..1, clamped

  std::string path;  // assigned by the owner before the first play

 private:
  audio::Stream stream_ = 0;  // the stream of the latest play; 0 before it
};
