// stompalong-bench: starts the real game in its 800 by 600 window, steps
// through the slides, plays a scripted game on a fixed random seed and a fixed
// frame step, and prints one line per figure, "name value unit".
// Run it from a directory holding ./res/, under an X server.
#include <GL/freeglut.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/App.h"
#include "app/FrameTimer.h"
#include "app/Window.h"
#include "core/Random.h"
#include "game/StompWorld.h"
#include "game/VictimCrowd.h"
#include "input/KeyboardState.h"
#include "objects/Arena.h"
#include "objects/Camera.h"
#include "objects/Foot.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kSeed = 20240611;  // every run plays the same game
constexpr int kFrameMs = 16;          // the fixed frame step the game sees
constexpr float kFrameSeconds = kFrameMs / 1000.0f;
constexpr int kTimedFrames = 600;
constexpr int kWarmUpLimit = 20000;   // frames spent filling the floor with splatter at most
constexpr int kCrowdRounds = 200;
const int kCrowdSizes[] = {60, 600, 6000};

// The script: a square key every few frames, view turns now and then.
constexpr char kSquareKeys[] = "qweadzxc";
constexpr int kStartKeyEvery = 300;   // frames
constexpr int kSelectKeyEvery = 470;  // frames

// The game's own console fragments end without a line break: each figure starts a line of its own.
void report(const char* name, double value, const char* unit) {
  std::printf("\n%s %.3f %s", name, value, unit);
  std::fflush(stdout);
}

double microsecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Microseconds since the kernel started this process (10 ms resolution).
double microsecondsSinceProcessStart() {
  std::ifstream statFile("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
  // Field 22, start time in clock ticks since boot, counted after the command name's ')'.
  size_t field = stat.rfind(')') + 2;
  for (int i = 3; i < 22; ++i) field = stat.find(' ', field) + 1;
  double startSeconds = std::strtod(stat.c_str() + field, nullptr) / sysconf(_SC_CLK_TCK);
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (now.tv_sec + now.tv_nsec * 1e-9 - startSeconds) * 1e6;
}

double percentile(std::vector<double> samples, double fraction) {
  std::sort(samples.begin(), samples.end());
  size_t index = std::min(samples.size() - 1, static_cast<size_t>(fraction * samples.size()));
  return samples[index];
}

void reportSpread(const std::string& name, const std::vector<double>& samples) {
  report((name + "_median").c_str(), percentile(samples, 0.5), "us");
  report((name + "_p99").c_str(), percentile(samples, 0.99), "us");
}

// The game's clock: advanced by the benchmark, so every frame has the same step.
int fakeMilliseconds = 0;
int fakeClock() { return fakeMilliseconds; }

// Frames are driven here rather than by glutMainLoop; GLUT still delivers
// window events (reshape) to the game's own callbacks.
void noDisplay() {}

void useOwnFrameLoop() {
  glutDisplayFunc(noDisplay);
  glutIdleFunc(nullptr);
}

void pumpEvents() { glutMainLoopEvent(); }

// One frame of the game as the display callback runs it, finished on the GPU side.
double timedGameFrame() {
  fakeMilliseconds += kFrameMs;
  auto start = Clock::now();
  App::instance().displayFrame();
  glFinish();  // llvmpipe renders deferred: the frame is done only here
  return microsecondsSince(start);
}

double timedEmptyFrame() {
  auto start = Clock::now();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
  glFinish();
  return microsecondsSince(start);
}

// Presses go through KeyboardState's GLUT-facing events; a key pressed in one
// frame is released in a later one, as a player's would be.
class Script {
 public:
  explicit Script(int stompEvery) : stompEvery_(stompEvery) {}

  void beforeFrame() {
    KeyboardState& keys = KeyboardState::instance();
    if (held_) keys.onKeyUp(held_, 0, 0);
    held_ = 0;
    ++frame_;
    if (frame_ % kStartKeyEvery == 0)
      held_ = '3';
    else if (frame_ % kSelectKeyEvery == 0)
      held_ = '1';
    else if (frame_ % stompEvery_ == 0)
      held_ = kSquareKeys[(frame_ / stompEvery_) % (sizeof kSquareKeys - 1)];
    if (held_) keys.onKeyDown(held_, 0, 0);
  }

 private:
  int stompEvery_;         // frames between square presses
  int frame_ = 0;
  unsigned char held_ = 0;  // key down since the previous frame, 0 for none
};

void waitForWindowSize() {
  while (Camera::instance().windowWidth() == 0) {
    pumpEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void stepThroughSlides() {
  while (App::instance().screen() != App::Game) {
    KeyboardState::instance().onKeyDown('3', 0, 0);
    timedGameFrame();
    KeyboardState::instance().onKeyUp('3', 0, 0);
    timedGameFrame();
  }
}

// Stomps hard until the floor holds as many splatters as it ever keeps.
void fillFloor() {
  Script script(4);
  for (int frame = 0; frame < kWarmUpLimit; ++frame) {
    if (victimCrowd.corpses().size() >= VictimCrowd::kMaxCorpses) return;
    script.beforeFrame();
    timedGameFrame();
  }
}

void measureEmptyFrames() {
  std::vector<double> samples;
  for (int i = 0; i < kTimedFrames; ++i) samples.push_back(timedEmptyFrame());
  reportSpread("frame_empty_us", samples);
  double emptyMedian = percentile(samples, 0.5);

  // A gentle script keeps the wave near full while splatter, feet and turns show.
  Script script(40);
  std::vector<double> game;
  double live = 0, corpses = 0;
  for (int i = 0; i < kTimedFrames; ++i) {
    script.beforeFrame();
    pumpEvents();
    game.push_back(timedGameFrame());
    live += victimCrowd.live().size();
    corpses += victimCrowd.corpses().size();
  }
  reportSpread("frame_game_us", game);
  report("frame_ratio", percentile(game, 0.5) / emptyMedian, "x");
  report("game_victims_mean", live / kTimedFrames, "victims");
  report("game_splatters_mean", corpses / kTimedFrames, "splatters");
}

void measureUpdate() {
  Script script(40);
  std::vector<double> samples;
  for (int i = 0; i < kTimedFrames; ++i) {
    script.beforeFrame();
    auto start = Clock::now();
    App::instance().update(kFrameSeconds);
    samples.push_back(microsecondsSince(start));
  }
  report("update_us", percentile(samples, 0.5), "us");
}

void fillCrowd(VictimCrowd& crowd, int size) {
  for (int i = static_cast<int>(crowd.live().size()); i < size; ++i) {
    auto victim = std::make_unique<Victim>();
    victim->load();
    victim->setPosition(arena.randomWalkPoint());
    crowd.add(std::move(victim));
  }
}

// A crowd of the given size under the game's own rules: every round presses a
// square (nearest walker, squash and fling), then updates and sweeps the
// crowd; squashed victims are replaced outside the clock.
double crowdRoundMicroseconds(int size) {
  VictimCrowd crowd;
  FootManager feet;
  StompWorld world(crowd, feet);
  KeyboardState& keys = KeyboardState::instance();
  std::vector<double> samples;
  for (int round = 0; round < kCrowdRounds; ++round) {
    fillCrowd(crowd, size);
    unsigned char key = kSquareKeys[round % (sizeof kSquareKeys - 1)];
    keys.onKeyDown(key, 0, 0);
    auto start = Clock::now();
    keys.tick(kFrameSeconds);
    world.update(kFrameSeconds);
    crowd.update(kFrameSeconds);
    samples.push_back(microsecondsSince(start));
    keys.onKeyUp(key, 0, 0);
    keys.tick(kFrameSeconds);
  }
  return percentile(samples, 0.5);
}

void measureCrowds() {
  for (int size : kCrowdSizes)
    report(("crowd_update_us_" + std::to_string(size)).c_str(), crowdRoundMicroseconds(size), "us");
}

double peakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main() {
  App& app = App::instance();
  app.setMainWindow(createMainWindow(800, 600, "Game"));
  registerCallbacks();
  useOwnFrameLoop();
  FrameTimer::instance().setClock(fakeClock);
  randomInt(1);  // the first draw seeds from the clock; the seed below replaces it
  std::srand(kSeed);

  auto initStart = Clock::now();
  app.init();
  double initMicroseconds = microsecondsSince(initStart);
  waitForWindowSize();
  timedGameFrame();
  report("startup_ms", microsecondsSinceProcessStart() / 1000, "ms");
  report("init_ms", initMicroseconds / 1000, "ms");

  stepThroughSlides();
  fillFloor();
  measureEmptyFrames();
  measureUpdate();
  measureCrowds();
  report("peak_rss_mb", peakResidentMegabytes(), "MB");
  report("cores", std::thread::hardware_concurrency(), "cores");
  std::printf("\n");
  return 0;
}
