// What the mixer plays, as SDL's disk audio driver writes it to a file: the
// audio layer opens the device at 44.1 kHz stereo and mixes in float, so the
// file is interleaved left, right float samples where full scale is 1.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "support/Files.h"

namespace testfiles {

class DiskRecording {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kChannels = 2;
  static constexpr size_t kFrameBytes = kChannels * sizeof(float);

  // The recording goes in a temp folder of its own, which other test files may share.
  explicit DiskRecording(const std::string& tag) : folder_(tag), file_(folder_ / "mixer.raw") {}

  // Sends the mixer's output to the file; call before the device opens. Ahead
  // of real time, the driver waits 1 ms per mix buffer instead of the buffer's
  // own length, so seconds of sound record in a fraction of that.
  enum class Pace { RealTime, AheadOfRealTime };
  void capture(Pace pace) const {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    if (pace == Pace::AheadOfRealTime)
      setenv("SDL_DISKAUDIODELAY", "1", 1);
    else
      unsetenv("SDL_DISKAUDIODELAY");
  }

  const TempDir& folder() const { return folder_; }

  static constexpr size_t bytesOf(int ms) { return size_t(kRate) * ms / 1000 * kFrameBytes; }

  // Bytes written so far, down to a whole frame: a read may catch the driver mid-write.
  size_t bytes() const {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(file_, error);
    return error ? 0 : size_t(size) / kFrameBytes * kFrameBytes;
  }

  // Waits until the file holds `target` bytes; false when it does not within the limit.
  bool waitForBytes(size_t target, int limitMs = 10000) const {
    constexpr int kStepMs = 5;
    for (int waited = 0; bytes() < target; waited += kStepMs) {
      if (waited >= limitMs) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
    }
    return true;
  }

  // The samples between two byte offsets. Read up to an offset taken before,
  // never to the end: the driver goes on writing silence, so the end moves.
  std::vector<float> samples(size_t from, size_t to) const {
    std::vector<float> pcm(to > from ? (to - from) / sizeof(float) : 0);
    std::ifstream in(file_, std::ios::binary);
    in.seekg(std::streamoff(from));
    in.read(reinterpret_cast<char*>(pcm.data()), std::streamsize(pcm.size() * sizeof(float)));
    pcm.resize(size_t(in.gcount()) / sizeof(float));
    return pcm;
  }

 private:
  TempDir folder_;
  std::string file_;
};

// The largest magnitude among the samples; full scale is 1.
inline float peakOf(const std::vector<float>& samples) {
  float top = 0;
  for (float v : samples) top = std::max(top, std::fabs(v));
  return top;
}

}  // namespace testfiles
