#include "support/GameProcess.h"

// gtest first: X11's macros (None, Bool, Status) would break its headers.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/FrameTimer.h"

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kPollSeconds = 0.005;
constexpr double kEdgeSeconds = 30;
// No frame for this long: a still screen, which draws only when something
// changes; a moving one draws every 17 to 50 ms under the sanitizers. Taken
// wrongly for still, a moving screen's press may share a frame with its
// release, which the game counts as one press all the same.
constexpr double kStillSeconds = 0.1;
// The window's mapping and the GL driver's first use of it are reported like
// frames while the window is still unpainted; the game's first frame follows
// each within this, under the sanitizers on a busy machine.
constexpr double kFirstPaintSeconds = 1;
constexpr double kFeetGone = 2.0;  // game seconds: planted at most 1, rising 0.5

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }
void sleepFor(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// X errors (a window that went away, a read outside it) are recorded for the
// call that caused them instead of ending the test process.
int lastXError = 0;
int recordXError(Display*, XErrorEvent* error) {
  lastXError = error->error_code;
  return 0;
}

Display* display() {
  static Display* d = [] {
    Display* opened = XOpenDisplay(nullptr);
    if (!opened) throw std::runtime_error("cannot open the X display");
    XSetErrorHandler(recordXError);
    return opened;
  }();
  return d;
}

int damageEventBase() {
  static int base = [] {
    int events = 0, errors = 0;
    if (!XDamageQueryExtension(display(), &events, &errors)) throw std::runtime_error("no DAMAGE extension");
    return events;
  }();
  return base;
}

// The top-level window titled "Game", if one is shown.
Window findGameWindow() {
  Display* d = display();
  Window root = 0, parent = 0, found = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes{};
    char* name = nullptr;
    if (XGetWindowAttributes(d, children[i], &attributes) && attributes.map_state == IsViewable &&
        XFetchName(d, children[i], &name) && name && std::strcmp(name, "Game") == 0)
      found = children[i];
    if (name) XFree(name);
  }
  if (children) XFree(children);
  return found;
}

bool windowExists(Window window) {
  Display* d = display();
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  bool exists = false;
  if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count))
    for (unsigned i = 0; i < count; ++i) exists = exists || children[i] == window;
  if (children) XFree(children);
  return exists;
}

std::string gameBinary() {
  const char* path = std::getenv("STOMPALONG_BIN");
  return fs::absolute(path ? path : "build/stompalong").string();
}

// The test's environment, with the given entries replacing any of the same
// name; an entry without "=" only removes its variable.
std::vector<std::string> environmentWith(const std::vector<std::string>& extra) {
  auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  std::vector<std::string> entries;
  for (const auto& entry : extra)
    if (entry.find('=') != std::string::npos) entries.push_back(entry);
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const auto& entry : extra) replaced = replaced || nameOf(entry) == nameOf(*e);
    if (!replaced) entries.emplace_back(*e);
  }
  return entries;
}

// Channel values of two grabs of one size more than 40 levels apart.
size_t changedValues(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  size_t changed = 0;
  for (size_t i = 0; i < a.size(); ++i) changed += std::abs(a[i] - b[i]) > 40;
  return changed;
}

testfiles::TempDir emptyResourceTree(const std::string& tag) {
  testfiles::TempDir dir(tag);
  for (const char* sub : {"images", "audio", "fonts"}) fs::create_directories(dir.path() / assets::kResourceDir / sub);
  return dir;
}

}  // namespace

testfiles::TempDir copyOfResources(const std::string& tag) {
  testfiles::TempDir dir = emptyResourceTree(tag);
  fs::copy(assets::kResourceDir, dir.path() / assets::kResourceDir,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  return dir;
}

testfiles::TempDir fontOnly(const std::string& tag) {
  testfiles::TempDir dir = emptyResourceTree(tag);
  fs::copy_file(assets::kFont, dir.path() / assets::kFont);
  return dir;
}

double changedShare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return 1;
  return a.empty() ? 0 : static_cast<double>(changedValues(a, b)) / static_cast<double>(a.size());
}

bool differs(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  return a.size() != b.size() || changedValues(a, b) > 20;
}

bool waitUntil(const std::function<bool()>& condition, double seconds) {
  for (auto start = Clock::now(); !condition(); sleepFor(0.02))
    if (since(start) > seconds) return false;
  return true;
}

std::vector<uint8_t> diskAudio(const fs::path& file, size_t from) {
  std::vector<uint8_t> bytes = testfiles::readBytes(file);
  if (from >= bytes.size()) return {};
  return {bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end()};
}

bool silent(const std::vector<uint8_t>& samples) {
  return std::all_of(samples.begin(), samples.end(), [](uint8_t b) { return b == 0; });
}

void expectOneLineExit(GameProcess& game, const std::vector<std::string>& parts, int status) {
  ASSERT_EQ(game.waitForExit(60), status) << game.report();
  std::string errors = game.errors();
  for (const std::string& part : parts) EXPECT_NE(errors.find(part), std::string::npos) << part << " in\n" << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

GameProcess::GameProcess(testfiles::TempDir workDir, const std::vector<std::string>& env,
                         const std::vector<std::string>& args)
    : ownedDir_(std::move(workDir)), workDir_(ownedDir_->path()) {
  start(env, std::nullopt, args);
}

GameProcess::GameProcess(const fs::path& workDir, const std::vector<std::string>& env, std::optional<uid_t> user)
    : workDir_(workDir) {
  start(env, user);
}

void GameProcess::start(const std::vector<std::string>& env, std::optional<uid_t> user,
                        const std::vector<std::string>& args) {
  std::vector<std::string> entries = environmentWith(env);
  std::string binary = gameBinary();
  std::vector<std::string> words = args;
  std::vector<char*> argv = {binary.data()};
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::string dir = workDir_.string();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    std::vector<char*> envp;
    for (auto& entry : entries) envp.push_back(entry.data());
    envp.push_back(nullptr);
    if (chdir(dir.c_str()) != 0) _exit(126);
    if (!freopen("stdout.txt", "w", stdout) || !freopen("stderr.txt", "w", stderr)) _exit(126);
    if (user && (setgid(*user) != 0 || setuid(*user) != 0)) _exit(126);  // after the output files, made as the test
    execve(binary.c_str(), argv.data(), envp.data());
    _exit(127);
  }
}

GameProcess::~GameProcess() {
  kill();
  // The server drops the window once it sees the connection close; the next
  // game must not find this one's.
  auto start = Clock::now();
  while (window_ && windowExists(window_) && since(start) < 5) sleepFor(kPollSeconds);
}

bool GameProcess::waitForFirstFrame(double seconds) {
  auto start = Clock::now();
  while (!window_ && alive() && since(start) < seconds) {
    window_ = findGameWindow();
    if (!window_) sleepFor(0.05);
  }
  if (!window_) return false;
  damage_ = XDamageCreate(display(), window_, XDamageReportNonEmpty);
  if (!waitForFrames(1, seconds - since(start))) return false;
  while (unpainted())
    if (!waitForFrames(1, kFirstPaintSeconds)) return alive();  // an all-black first picture
  return true;
}

bool GameProcess::unpainted() {
  auto [width, height] = size();
  XImage* image = XGetImage(display(), window_, 0, 0, width, height, AllPlanes, ZPixmap);
  if (!image) return false;  // the caller's next read reports it
  // All zero bytes: the first is zero and each equals the next.
  size_t bytes = static_cast<size_t>(image->bytes_per_line) * height;
  bool black = image->data[0] == 0 && std::memcmp(image->data, image->data + 1, bytes - 1) == 0;
  XDestroyImage(image);
  return black;
}

int GameProcess::newFrames() {
  Display* d = display();
  int frames = 0;
  XEvent event;
  while (XPending(d)) {
    XNextEvent(d, &event);
    frames += event.type == damageEventBase() + XDamageNotify;
  }
  if (frames) XDamageSubtract(d, damage_, None, None);  // re-arms the report
  return frames;
}

bool GameProcess::waitForFrames(int count, double seconds) { return framesOrStill(count, seconds, 0); }

bool GameProcess::framesOrStill(int count, double seconds, double stillSeconds) {
  if (!damage_) throw std::logic_error("wait for the first frame first");
  // Frames already reported, or begun before this call's requests reached the server, do not count.
  XSync(display(), False);
  newFrames();
  XDamageSubtract(display(), damage_, None, None);
  auto start = Clock::now(), lastFrame = start;
  for (int seen = 0; seen < count;) {
    if (int fresh = newFrames()) {
      seen += fresh;
      lastFrame = Clock::now();
      continue;
    }
    if (stillSeconds > 0 && since(lastFrame) > stillSeconds) return true;
    if (!alive() || since(start) > seconds) return false;
    sleepFor(kPollSeconds);
  }
  return true;
}

bool GameProcess::waitForEdge(bool still) {
  return waitForFrames(1, kEdgeSeconds) && (still || framesOrStill(1, kEdgeSeconds, kStillSeconds));
}

void GameProcess::pressAndRelease(const std::function<void(bool)>& send, bool still, const std::string& what) {
  for (bool down : {true, false}) {
    send(down);
    if (!waitForEdge(still) && alive()) throw std::runtime_error("no frame after " + what);
  }
}

void GameProcess::play(double gameSeconds) {
  auto start = Clock::now();
  int frames = static_cast<int>(std::ceil(gameSeconds / FrameTimer::kMaxStep));
  framesOrStill(frames, gameSeconds + kEdgeSeconds, kStillSeconds);
  double left = gameSeconds - since(start);
  if (left > 0) sleepFor(left);
}

bool GameProcess::alive() {
  if (exitStatus_ != -1 || pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == 0) return true;
  exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

void GameProcess::kill() {
  if (!alive()) return;
  ::kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  exitStatus_ = 128 + SIGKILL;
}

double GameProcess::peakResidentMegabytes() {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024;  // kB
  throw std::runtime_error("no memory figures: the game is not running");
}

int GameProcess::waitForExit(double seconds) {
  auto start = Clock::now();
  while (alive() && since(start) < seconds) sleepFor(0.05);
  return alive() ? -1 : exitStatus_;
}

void GameProcess::sendKey(const std::string& keysym, bool down, unsigned modifiers) {
  Display* d = display();
  KeySym symbol = XStringToKeysym(keysym.c_str());
  KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(d, symbol);
  if (!code) throw std::invalid_argument("no key " + keysym);
  XEvent event{};
  event.xkey.type = down ? KeyPress : KeyRelease;
  event.xkey.window = window_;
  event.xkey.root = DefaultRootWindow(d);
  event.xkey.time = CurrentTime;
  event.xkey.same_screen = True;
  event.xkey.keycode = code;
  event.xkey.state = modifiers;
  XSendEvent(d, window_, False, down ? KeyPressMask : KeyReleaseMask, &event);
}

void GameProcess::key(const std::string& keysym, unsigned modifiers) {
  pressAndRelease([&](bool down) { sendKey(keysym, down, modifiers); }, false, "key " + keysym);
}

void GameProcess::stillKey(const std::string& keysym) {
  pressAndRelease([&](bool down) { sendKey(keysym, down, 0); }, true, "key " + keysym);
}

void GameProcess::tap(const std::string& keysym, unsigned modifiers) {
  sendKey(keysym, true, modifiers);
  sendKey(keysym, false, modifiers);
  XFlush(display());
  if (!waitForEdge(false) && alive()) throw std::runtime_error("no frame after a tap of " + keysym);
}

void GameProcess::sendButton(int x, int y, bool down) {
  Display* d = display();
  XEvent event{};
  event.xbutton.type = down ? ButtonPress : ButtonRelease;
  event.xbutton.window = window_;
  event.xbutton.root = DefaultRootWindow(d);
  event.xbutton.time = CurrentTime;
  event.xbutton.x = x;
  event.xbutton.y = y;
  event.xbutton.same_screen = True;
  event.xbutton.button = Button1;
  event.xbutton.state = down ? 0 : Button1Mask;
  XSendEvent(d, window_, False, down ? ButtonPressMask : ButtonReleaseMask, &event);
}

void GameProcess::click(int x, int y) {
  pressAndRelease([&](bool down) { sendButton(x, y, down); }, true, "a click");
}

void GameProcess::close() {
  Display* d = display();
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  XSendEvent(d, window_, False, NoEventMask, &event);
  XFlush(d);
}

void GameProcess::stepThroughSlides() {
  for (size_t slide = 0; slide < std::size(assets::kSlides); ++slide) stillKey("3");
}

void GameProcess::enterGame() {
  stepThroughSlides();
  play(2.0);
}

bool GameProcess::stompUntilChanged(const Region& region, const std::function<void(const char*)>& press) {
  const std::vector<uint8_t> before = grab(region);
  for (int round = 0; round < 25 && alive(); ++round) {
    for (const char* square : kSquareKeys) press ? press(square) : key(square);
    play(kFeetGone);
    if (differs(before, grab(region))) return true;
  }
  return false;
}

std::array<int, 2> GameProcess::position() {
  Display* d = display();
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(d, window_, DefaultRootWindow(d), 0, 0, &x, &y, &child))
    throw std::runtime_error("the window is gone");
  return {x, y};
}

std::array<int, 2> GameProcess::screenSize() {
  Display* d = display();
  return {DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
}

bool GameProcess::coversTheScreen() { return position() == std::array<int, 2>{0, 0} && size() == screenSize(); }

std::array<int, 2> GameProcess::size() {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display(), window_, &attributes)) throw std::runtime_error("the window is gone");
  return {attributes.width, attributes.height};
}

std::vector<uint8_t> GameProcess::grab(int x, int y, int width, int height) {
  lastXError = 0;
  XImage* image = XGetImage(display(), window_, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) throw std::runtime_error("cannot read the game's window (X error " + std::to_string(lastXError) + ")");
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(width) * height * 3);
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

Rgb GameProcess::pixel(int x, int y) {
  std::vector<uint8_t> rgb = grab(x, y, 1, 1);
  return {rgb[0], rgb[1], rgb[2]};
}

bool GameProcess::waitForPixel(int x, int y, Rgb rgb, int tolerance, double seconds) {
  auto start = Clock::now();
  while (alive()) {
    Rgb seen = pixel(x, y);
    bool close = true;
    for (int c = 0; c < 3; ++c) close = close && std::abs(seen[c] - rgb[c]) <= tolerance;
    if (close) return true;
    if (since(start) > seconds) return false;
    sleepFor(0.02);
  }
  return false;
}

void GameProcess::requireExited() {
  if (alive()) throw std::logic_error("the game's output is read after it exits");
}

std::string GameProcess::output() {
  requireExited();
  return testfiles::readText(workDir_ / "stdout.txt");
}

std::string GameProcess::errors() {
  requireExited();
  return testfiles::readText(workDir_ / "stderr.txt");
}

std::string GameProcess::report() {
  std::string state = alive() ? "the game is running" : "the game exited with status " + std::to_string(exitStatus_);
  return state + "; its stderr so far:\n" + testfiles::readText(workDir_ / "stderr.txt");
}

}  // namespace e2e
