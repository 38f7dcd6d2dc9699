// MusicStream: one music file streamed from disk, optionally looping.
#pragma once

#include <string>

#include "media/Audio.h"

class MusicStream {
 public:
  void play(bool loop);
  void stop();
  void setVolume(float volume);  // 0..1, clamped

  std::string path;  // assigned by the owner before the first play

 private:
  audio::Stream stream_ = 0;  // the stream of the latest play; 0 before it
};
