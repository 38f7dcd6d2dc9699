// Drives the real game binary in the test's X server: starts it in a working
// directory, finds its window, sends real X input through xdotool and reads
// the window's pixels back through Xlib.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace e2e {

// For runs that end the game through exit(): Mesa's software driver leaks its
// window buffer at exit and unloads itself, so that report cannot be told from
// ours. Our own code's leaks are checked in-process by the soak test.
inline const std::string kNoLeakCheckAtExit = "ASAN_OPTIONS=detect_leaks=0";

// A copy of the repository's res/ tree (or an empty one) in a fresh temp dir.
std::string makeWorkDir(const std::string& tag, bool withRealResources);
// The path of the game binary under test ($STOMPALONG_BIN).
std::string gameBinary();

class GameProcess {
 public:
  // Starts the game in workDir with extra "NAME=value" environment entries.
  GameProcess(const std::string& workDir, const std::vector<std::string>& env = {});
  ~GameProcess();

  // The X window id of the window titled "Game", or 0 if none appeared in time.
  unsigned long waitForWindow(double seconds = 30);
  bool alive();
  // Waits for the process to end; its exit status, or -1 if it did not end in time.
  int waitForExit(double seconds);

  void key(const std::string& keyName);  // press and release, as xdotool names it
  void click(int x, int y);             // left click at window pixel (x, y), y from the top
  void close();  // asks the window to close, as a window manager's close button does
  std::array<int, 2> size();

  // RGB of window pixel (x, y), y from the top.
  std::array<uint8_t, 3> pixel(int x, int y);
  // Waits until pixel (x, y) is within tolerance of rgb; false on timeout.
  bool waitForPixel(int x, int y, std::array<uint8_t, 3> rgb, int tolerance, double seconds);
  // The RGB bytes of a window region, rows from the top; for comparing two moments.
  std::vector<uint8_t> grab(int x, int y, int width, int height);

  std::string output() const;  // what the game printed on stdout so far
  std::string errors() const;  // and on stderr

 private:
  void run(const std::string& command);

  pid_t pid_ = -1;
  int exitStatus_ = -1;
  unsigned long window_ = 0;
  std::string workDir_;
};

// Sleeps for the given seconds (lets the game run frames between inputs).
void pause(double seconds);

}  // namespace e2e
