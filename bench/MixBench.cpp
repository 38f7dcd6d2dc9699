// stompalong-mixbench: how often the game's sound output reaches full scale.
// Plays the real game with SDL's disk audio driver recording the mix: a
// session of random stomping at a player's pace over the game music, then a
// scripted burst (four explosions and four squishes at once, then a cheer).
// Prints, for each part, "name value unit" lines: the sample frames at full
// scale, the bursts of them, the 2-second windows that clip, and the peak.
// Run it from the repository root under an X server.
#include <GL/freeglut.h>
#include <SDL2/SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "GameDriver.h"
#include "Measure.h"
#include "app/App.h"
#include "app/Window.h"
#include "core/Random.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "input/KeyboardState.h"
#include "media/SoundBank.h"
#include "support/GlutWarnings.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kSeed = 20240611;                 // every run stomps the same way
constexpr auto kFrame = std::chrono::milliseconds(16);
constexpr int kSessionFrames = 60 * 60;               // one minute at 60 frames per second
constexpr int kShortestGap = 6, kLongestGap = 18;     // frames between presses: about 5 a second
constexpr int kHoldFrames = 4;                        // a press lasts this long
constexpr int kBurstVoices = 4;                       // explosions and squishes at once
constexpr int kCheerAfterFrames = 30;                 // the cheer follows the burst by half a second
constexpr int kBurstFrames = 4 * 60;                  // frames recorded for the burst
constexpr double kWindowSeconds = 2;
constexpr double kFullScale = 32767.0 / 32768;        // what a 16-bit output cannot exceed

std::string recording;

size_t recordedBytes() {
  std::ifstream in(recording, std::ios::binary | std::ios::ate);
  return in ? static_cast<size_t>(in.tellg()) : 0;
}

// One game frame at the game's own pace.
void frame(Clock::time_point& next) {
  glutMainLoopEvent();
  App::instance().displayFrame();
  next += kFrame;
  std::this_thread::sleep_until(next);
}

void pressKey(unsigned char key, Clock::time_point& next) {
  KeyboardState::instance().onKeyDown(key, 0, 0);
  frame(next);
  KeyboardState::instance().onKeyUp(key, 0, 0);
  frame(next);
}

void stompAtRandom(Clock::time_point& next) {
  std::mt19937 rng(kSeed);
  std::uniform_int_distribution<int> gap(kShortestGap, kLongestGap), square(0, sizeof bench::kSquareKeys - 2);
  int frames = 0;
  while (frames < kSessionFrames) {
    unsigned char key = bench::kSquareKeys[square(rng)];
    KeyboardState::instance().onKeyDown(key, 0, 0);
    for (int i = 0; i < kHoldFrames; ++i, ++frames) frame(next);
    KeyboardState::instance().onKeyUp(key, 0, 0);
    for (int i = gap(rng) - kHoldFrames; i > 0; --i, ++frames) frame(next);
  }
}

void burst(Clock::time_point& next) {
  SoundGroup explosions, squishes, cheers;
  for (const char* file : assets::kExplosions) explosions.addSound(file);
  for (const char* file : assets::kSquishes) squishes.addSound(file);
  for (const char* file : assets::kCheers) cheers.addSound(file);
  for (int i = 0; i < kBurstVoices; ++i) {
    explosions.playRandom(StompWorld::kStompVolume);
    squishes.playRandom(StompWorld::kStompVolume);
  }
  for (int i = 0; i < kBurstFrames; ++i) {
    if (i == kCheerAfterFrames) cheers.playRandom(1);  // the loudest a cheer can be
    frame(next);
  }
}

// The recording between two byte offsets, as samples where full scale is 1.
std::vector<double> samplesBetween(size_t from, size_t to) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  std::ifstream in(recording, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  std::vector<char> bytes(to - from);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::vector<double> out;
  if (format == AUDIO_F32SYS) {
    const auto* f = reinterpret_cast<const float*>(bytes.data());
    out.assign(f, f + bytes.size() / sizeof(float));
  } else {
    const auto* s = reinterpret_cast<const int16_t*>(bytes.data());
    for (size_t i = 0; i < bytes.size() / sizeof(int16_t); ++i) out.push_back(s[i] / 32768.0);
  }
  return out;
}

void analyse(const std::string& part, size_t from, size_t to) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  std::vector<double> pcm = samplesBetween(from, to);
  size_t frames = pcm.size() / channels, window = static_cast<size_t>(kWindowSeconds * rate);
  size_t atFullScale = 0, bursts = 0, clippedWindows = 0;
  bool inBurst = false, windowClipped = false;
  double peak = 0;
  for (size_t f = 0; f < frames; ++f) {
    bool full = false;
    for (int c = 0; c < channels; ++c) {
      double v = std::fabs(pcm[f * channels + c]);
      peak = std::max(peak, v);
      full = full || v >= kFullScale;
    }
    atFullScale += full;
    bursts += full && !inBurst;
    inBurst = full;
    windowClipped = windowClipped || full;
    if ((f + 1) % window == 0 || f + 1 == frames) {
      clippedWindows += windowClipped;
      windowClipped = false;
    }
  }
  size_t windows = (frames + window - 1) / window;
  bench::report(part + "_seconds", double(frames) / rate, "s");
  bench::report(part + "_full_scale_frames", double(atFullScale), "frames");
  bench::report(part + "_full_scale_share", 100.0 * atFullScale / std::max<size_t>(frames, 1), "%");
  bench::report(part + "_full_scale_bursts", double(bursts), "bursts");
  bench::report(part + "_clipped_windows", double(clippedWindows), "windows");
  bench::report(part + "_windows", double(windows), "windows");
  bench::report(part + "_peak_dbfs", 20 * std::log10(std::max(peak, 1e-9)), "dBFS");
}

}  // namespace

int main() {
  recording = "/tmp/stompalong-mixbench-" + std::to_string(getpid()) + ".raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
  App& app = App::instance();
  quietModifierWarnings("mixbench");  // the scripted player calls the key callbacks directly
  app.setMainWindow(createMainWindow(800, 600, "Game"));
  registerCallbacks();
  randomInt(1);  // the first draw seeds from the clock; the seed below replaces it
  std::srand(kSeed);
  app.init();
  bench::waitForWindowSize();

  Clock::time_point next = Clock::now();
  while (app.screen() != ScreenId::Game) pressKey('3', next);
  size_t sessionStart = recordedBytes();
  stompAtRandom(next);
  size_t burstStart = recordedBytes();
  burst(next);
  size_t burstEnd = recordedBytes();
  analyse("session", sessionStart, burstStart);
  analyse("burst", burstStart, burstEnd);
  std::printf("\n");
  std::remove(recording.c_str());
  return 0;
}
