#include "support/GameProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/GlTest.h"

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;

namespace {

Display* display() {
  static Display* d = XOpenDisplay(nullptr);
  if (!d) throw std::runtime_error("cannot open the X display");
  return d;
}

std::string capture(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
  pclose(pipe);
  return out;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

void pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

std::string gameBinary() {
  const char* path = std::getenv("STOMPALONG_BIN");
  return path ? path : "build/stompalong";
}

std::string makeWorkDir(const std::string& tag, bool withRealResources) {
  std::string dir = testgl::tempDir(tag);
  fs::create_directories(fs::path(dir) / "res" / "images");
  fs::create_directories(fs::path(dir) / "res" / "audio");
  fs::create_directories(fs::path(dir) / "res" / "fonts");
  if (withRealResources)
    fs::copy("res", fs::path(dir) / "res", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  else
    fs::copy_file("res/fonts/Cookies.ttf", fs::path(dir) / "res/fonts/Cookies.ttf");
  return dir;
}

GameProcess::GameProcess(const std::string& workDir, const std::vector<std::string>& env) : workDir_(workDir) {
  // The test's environment, with the given entries replacing any of the same name.
  auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  std::vector<std::string> entries(env);
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const auto& extra : env) replaced = replaced || nameOf(extra) == nameOf(*e);
    if (!replaced) entries.emplace_back(*e);
  }
  std::string binary = fs::absolute(gameBinary()).string();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    std::vector<char*> envp;
    for (auto& entry : entries) envp.push_back(entry.data());
    envp.push_back(nullptr);
    if (chdir(workDir.c_str()) != 0) _exit(126);
    if (!freopen("stdout.txt", "w", stdout) || !freopen("stderr.txt", "w", stderr)) _exit(126);
    char* argv[] = {binary.data(), nullptr};
    execve(binary.c_str(), argv, envp.data());
    _exit(127);
  }
}

GameProcess::~GameProcess() {
  if (alive()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

unsigned long GameProcess::waitForWindow(double seconds) {
  auto start = Clock::now();
  while (since(start) < seconds && alive()) {
    std::string id = capture("xdotool search --onlyvisible --pid " + std::to_string(pid_) + " --name '^Game$' 2>/dev/null");
    if (!id.empty()) {
      window_ = std::stoul(id);
      return window_;
    }
    pause(0.1);
  }
  return 0;
}

bool GameProcess::alive() {
  if (exitStatus_ != -1 || pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == 0) return true;
  exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

int GameProcess::waitForExit(double seconds) {
  auto start = Clock::now();
  while (alive() && since(start) < seconds) pause(0.05);
  return alive() ? -1 : exitStatus_;
}

void GameProcess::run(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

void GameProcess::key(const std::string& keyName) {
  std::string id = std::to_string(window_);
  // Held across a few frames: a press and release inside one frame reports only the release.
  run("xdotool windowfocus --sync " + id + " keydown " + keyName + " sleep 0.12 keyup " + keyName);
}

void GameProcess::click(int x, int y) {
  std::string id = std::to_string(window_);
  // No --sync: it waits for the pointer to move, forever when it is already there.
  run("xdotool mousemove --window " + id + " " + std::to_string(x) + " " + std::to_string(y) +
      " mousedown 1 sleep 0.12 mouseup 1");
  pause(0.1);
}

void GameProcess::close() {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
  XSendEvent(display(), window_, False, NoEventMask, &event);
  XFlush(display());
}

std::array<int, 2> GameProcess::size() {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display(), window_, &attributes);
  return {attributes.width, attributes.height};
}

std::vector<uint8_t> GameProcess::grab(int x, int y, int width, int height) {
  std::vector<uint8_t> rgb;
  XImage* image = XGetImage(display(), window_, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) return rgb;
  rgb.reserve(width * height * 3);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      unsigned long p = XGetPixel(image, column, row);
      rgb.push_back((p & image->red_mask) >> 16);
      rgb.push_back((p & image->green_mask) >> 8);
      rgb.push_back(p & image->blue_mask);
    }
  XDestroyImage(image);
  return rgb;
}

std::array<uint8_t, 3> GameProcess::pixel(int x, int y) {
  std::vector<uint8_t> rgb = grab(x, y, 1, 1);
  if (rgb.size() < 3) return {0, 0, 0};
  return {rgb[0], rgb[1], rgb[2]};
}

bool GameProcess::waitForPixel(int x, int y, std::array<uint8_t, 3> rgb, int tolerance, double seconds) {
  auto start = Clock::now();
  do {
    auto seen = pixel(x, y);
    bool close = true;
    for (int c = 0; c < 3; ++c) close = close && std::abs(seen[c] - rgb[c]) <= tolerance;
    if (close) return true;
    pause(0.05);
  } while (since(start) < seconds && alive());
  return false;
}

std::string GameProcess::output() const { return readFile(workDir_ + "/stdout.txt"); }
std::string GameProcess::errors() const { return readFile(workDir_ + "/stderr.txt"); }

}  // namespace e2e
