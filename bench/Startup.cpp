#include "Startup.h"

#include <GL/freeglut.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "Measure.h"
#include "app/App.h"
#include "app/Window.h"
#include "input/KeyboardState.h"

namespace bench {

namespace {

constexpr int kStartupRounds = 10;
constexpr double kIdleSeconds = 10;
constexpr double kSettleSeconds = 1;  // after the child is ready, before its CPU is counted

void printNowAndExit() {
  glFinish();
  std::printf("\n%.3f\n", wallMs());  // on a line of its own, after the game's trace
  std::fflush(stdout);
  std::_Exit(0);  // the first frame is all this child is for
}

void bareDisplay() {
  glClear(GL_COLOR_BUFFER_BIT);
  glutSwapBuffers();
  printNowAndExit();
}

void gameDisplay() {
  App::instance().displayFrame();
  printNowAndExit();
}

// The game brought up as main() does: its window, its callbacks, init.
void startGame() {
  App& app = App::instance();
  app.openDevices();
  App::decodePicturesAhead();
  app.setMainWindow(createMainWindow(800, 600, "Game"));
  registerCallbacks();
  app.init();
}

// Starts this benchmark in a child mode, its stdout on a pipe; the child's pid.
pid_t startChild(const char* self, const char* option, const char* mode, FILE** out) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    execl(self, self, option, mode, static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  close(pipeEnds[1]);
  *out = fdopen(pipeEnds[0], "r");
  return child;
}

// The last number the child printed before it closed its output.
double lastNumber(FILE* out) {
  double value = -1, read = 0;
  char line[4096];
  while (std::fgets(line, sizeof line, out))
    if (std::sscanf(line, "%lf", &read) == 1) value = read;
  return value;
}

double firstFrameMs(const char* self, const char* kind) {
  FILE* out = nullptr;
  double start = wallMs();
  pid_t child = startChild(self, kFirstFrameOption, kind, &out);
  if (child < 0) return -1;
  double shown = lastNumber(out);
  std::fclose(out);
  waitpid(child, nullptr, 0);
  return shown < 0 ? -1 : shown - start;
}

// User and system time of every thread of the process, in clock ticks.
long cpuTicks(pid_t pid) {
  std::ifstream statFile("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
  size_t field = stat.rfind(')') + 2;  // fields 14 and 15, counted after the command name
  for (int i = 3; i < 14; ++i) field = stat.find(' ', field) + 1;
  char* end = nullptr;
  long user = std::strtol(stat.c_str() + field, &end, 10);
  return user + std::strtol(end, nullptr, 10);
}

double idleCpuPercent(const char* self, const char* screen) {
  FILE* out = nullptr;
  pid_t child = startChild(self, kIdleOption, screen, &out);
  if (child < 0) return -1;
  char line[4096];
  while (std::fgets(line, sizeof line, out) && std::strncmp(line, "ready", 5) != 0) {
  }
  std::this_thread::sleep_for(std::chrono::duration<double>(kSettleSeconds));
  long before = cpuTicks(child);
  std::this_thread::sleep_for(std::chrono::duration<double>(kIdleSeconds));
  long ticks = cpuTicks(child) - before;
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  std::fclose(out);
  return 100.0 * ticks / sysconf(_SC_CLK_TCK) / kIdleSeconds;
}

}  // namespace

int firstFrameChild(const char* kind) {
  if (std::strcmp(kind, "bare") == 0) {
    int argc = 1;
    char name[] = "bare";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);  // as the game's window, which has no depth buffer
    glutInitWindowSize(800, 600);
    glutCreateWindow("Bare");
    glutDisplayFunc(bareDisplay);
  } else {
    startGame();
    glutDisplayFunc(gameDisplay);
  }
  glutMainLoop();
  return 1;
}

int idleChild(const char* screen) {
  startGame();
  if (std::strcmp(screen, "game") == 0) {
    KeyboardState& keys = KeyboardState::instance();
    while (App::instance().screen() != ScreenId::Game) {  // Start, released, frame by frame
      keys.onKeyDown('3', 0, 0);
      App::instance().displayFrame();
      keys.onKeyUp('3', 0, 0);
      App::instance().displayFrame();
    }
  }
  std::printf("\nready\n");
  std::fflush(stdout);
  glutMainLoop();
  return 0;
}

void measureStartup(const char* self) {
  std::vector<double> game, bare, ratio;
  for (int round = 0; round < kStartupRounds; ++round) {
    bool gameFirst = round % 2 == 0;  // neither always has the warmer cache
    double first = firstFrameMs(self, gameFirst ? "game" : "bare");
    double second = firstFrameMs(self, gameFirst ? "bare" : "game");
    game.push_back(gameFirst ? first : second);
    bare.push_back(gameFirst ? second : first);
    ratio.push_back(game.back() / bare.back());
  }
  report("startup_game_ms", spreadOf(game), "ms");
  report("startup_bare_ms", spreadOf(bare), "ms");
  report("startup_vs_bare", spreadOf(ratio), "x");
}

void measureIdle(const char* self) {
  report("idle_cpu_slide_pct", idleCpuPercent(self, "slides"), "%");
  report("idle_cpu_game_pct", idleCpuPercent(self, "game"), "%");
}

}  // namespace bench
