// stompalong-bench: starts the real game in its 800 by 600 window, steps
// through the slides, plays a scripted game on a fixed random seed and a fixed
// frame step, and prints one line per figure, "name value unit", with the
// spread over the rounds after it where a figure is the median of rounds.
// Run it from a directory holding ./res/, under an X server. With --plain-state
// the game draws without its state shortcuts (blending and tinting on every
// pass), as it did before them: the figures before and after, in one build.
// With --passes it prints instead the frame figures with sets of the scene's
// passes left out, each against the reference of what is left.
#include <GL/freeglut.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FrameFigures.h"
#include "FramesOut.h"
#include "GameDriver.h"
#include "InputLatency.h"
#include "Measure.h"
#include "PartyFigures.h"
#include "Startup.h"
#include "WaveSpawn.h"
#include "app/App.h"
#include "app/Window.h"
#include "core/Random.h"
#include "game/StompWorld.h"
#include "input/KeyboardState.h"
#include "input/PadInput.h"
#include "objects/Arena.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"
#include "support/GlutWarnings.h"

namespace {

using namespace bench;

constexpr const char* kPlainStateOption = "--plain-state";
constexpr const char* kFullHdOption = "--full-hd";  // the full-HD figures on a freshly filled floor, then exits
constexpr const char* kPassesOption = "--passes";   // the figures pass set by pass, then exits
constexpr unsigned kSeed = 20240611;  // every run plays the same game
constexpr int kUpdateFrames = 600;
constexpr int kCrowdRounds = 200;
const int kCrowdSizes[] = {60, 600, 6000};

// Milliseconds since the kernel started this process (10 ms resolution).
double millisecondsSinceProcessStart() {
  std::ifstream statFile("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
  // Field 22, start time in clock ticks since boot, counted after the command name's ')'.
  size_t field = stat.rfind(')') + 2;
  for (int i = 3; i < 22; ++i) field = stat.find(' ', field) + 1;
  double startSeconds = std::strtod(stat.c_str() + field, nullptr) / sysconf(_SC_CLK_TCK);
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (now.tv_sec + now.tv_nsec * 1e-9 - startSeconds) * 1e3;
}

void measureUpdate() {
  Script script(40);
  std::vector<double> samples;
  for (int i = 0; i < kUpdateFrames; ++i) {
    script.beforeFrame();
    double start = wallMs();
    App::instance().update(kFrameSeconds);
    samples.push_back(millisecondsSince(start) * 1000);
  }
  report("update_us", median(samples), "us");
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
    double start = wallMs();
    keys.tick(kFrameSeconds);
    PadInput::instance().read(keys);
    world.update(kFrameSeconds, PadInput::instance().frame().pads);
    crowd.update(kFrameSeconds);
    samples.push_back(millisecondsSince(start) * 1000);
    keys.onKeyUp(key, 0, 0);
    keys.tick(kFrameSeconds);
  }
  return median(samples);
}

void measureCrowds() {
  for (int size : kCrowdSizes) report("crowd_update_us_" + std::to_string(size), crowdRoundMicroseconds(size), "us");
}

// The full-HD figures from a game of their own, started and filled as this one
// was: the figures before them thin out this one's crowd.
void measureFullHdApart(bool plainState) {
  std::fflush(stdout);  // the child prints to the same output
  std::string command = "'" + std::filesystem::read_symlink("/proc/self/exe").string() + "' " + kFullHdOption;
  if (plainState) command += std::string(" ") + kPlainStateOption;
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "stompalong-bench: the full-HD figures failed\n");
}

double peakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kWaveSpawnOption) == 0) return waveSpawnChild();
  if (argc > 2 && std::strcmp(argv[1], kFirstFrameOption) == 0) return firstFrameChild(argv[2]);
  if (argc > 2 && std::strcmp(argv[1], kIdleOption) == 0) return idleChild(argv[2]);
  bool fullHdChild = argc > 1 && std::strcmp(argv[1], kFullHdOption) == 0;
  bool plainState = std::strcmp(argv[argc - 1], kPlainStateOption) == 0;  // alone, or after --full-hd
  if (plainState) allowStateShortcuts(false);
  if (argc > 2 && std::strcmp(argv[1], kFramesOutOption) == 0) drawWithoutFillShortcuts();
  App& app = App::instance();
  quietModifierWarnings("bench");  // the scripted player calls the key callbacks directly
  app.setMainWindow(createMainWindow(800, 600, "Game"));
  registerCallbacks();
  useOwnFrameLoop();
  randomInt(1);  // the first draw seeds from the clock; the seed below replaces it
  std::srand(kSeed);

  double initStart = wallMs();
  app.init();
  double initMs = millisecondsSince(initStart);
  waitForWindowSize();
  timeFrame(gameFrame);
  if (!fullHdChild) {
    report("startup_ms", millisecondsSinceProcessStart(), "ms");
    report("init_ms", initMs, "ms");
  }
  if (argc > 2 && std::strcmp(argv[1], kFramesOutOption) == 0) return writeFrameChecksums(argv[2]);

  stepThroughSlides();
  fillFloor();
  if (argc > 1 && std::strcmp(argv[1], kPassesOption) == 0) {
    measurePasses();
    return 0;
  }
  if (fullHdChild) {
    measureFullHd();
    report("peak_rss_mb_1080", peakResidentMegabytes(), "MB");  // with a full-HD window's buffers
    return 0;
  }
  measureFrames();
  measureParty();
  measureInputToFrame();
  measureUpdate();
  measureCrowds();
  report("peak_rss_mb", peakResidentMegabytes(), "MB");  // in the game's own 800 by 600 window
  measureFullHdApart(plainState);
  measureWaveSpawn();
  measureStartup("/proc/self/exe");
  measureIdle("/proc/self/exe");
  report("cores", std::thread::hardware_concurrency(), "cores");
  std::printf("\n");
  return 0;
}
