// Drives the real game binary on the test's private X server (see XServer.h):
// starts it in a work folder of its own, finds its window, counts the frames
// it draws, sends it X input events and reads its window's pixels back.
// One game runs on the server at a time.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "core/Assets.h"
#include "support/Files.h"

namespace e2e {

using Rgb = std::array<uint8_t, 3>;

// The game screen's background, and a window pixel that shows it in every
// view: top middle, above the skyline.
constexpr Rgb kSky = {assets::kSkyColour.r, assets::kSkyColour.g, assets::kSkyColour.b};
constexpr int kSkyX = 400, kSkyY = 8;

// For runs that end the game through exit(): Mesa's software driver leaks its
// window buffer at exit and unloads itself, so that report cannot be told from
// ours. Our own code's leaks are checked in-process by the soak test.
inline const std::string kNoLeakCheckAtExit = "ASAN_OPTIONS=detect_leaks=0";

// A work folder holding a copy of the repository's res/ tree, or only its font.
testfiles::TempDir copyOfResources(const std::string& tag);
testfiles::TempDir fontOnly(const std::string& tag);

// Modifier keys held with a key, as X's event state bits.
constexpr unsigned kCapsLock = 1u << 1;  // LockMask
constexpr unsigned kAlt = 1u << 3;       // Mod1Mask

// A rectangle of window pixels, y from the top.
struct Region {
  int x, y, width, height;
};

// The keys of the pad's eight outer squares; the centre one has no key.
inline const char* const kSquareKeys[] = {"q", "w", "e", "a", "d", "z", "x", "c"};

// The share of two grabs' channel values more than 40 levels apart; grabs of
// different sizes differ everywhere.
double changedShare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
// Whether two grabs of one region differ visibly: more than 20 channel values
// apart by more than 40 levels.
bool differs(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

// Polls the condition until it holds; false if it did not within the time.
bool waitUntil(const std::function<bool()>& condition, double seconds);

// What SDL's disk audio driver (SDL_AUDIODRIVER=disk) has written to its file so
// far, from byte `from` on: raw float samples, silence being zero bytes.
std::vector<uint8_t> diskAudio(const std::filesystem::path& file, size_t from = 0);
bool silent(const std::vector<uint8_t>& samples);

class GameProcess {
 public:
  // Starts the game ($STOMPALONG_BIN) in workDir, which it removes when done,
  // with extra "NAME=value" environment entries ("NAME" alone unsets it) and
  // command-line arguments.
  explicit GameProcess(testfiles::TempDir workDir, const std::vector<std::string>& env = {},
                       const std::vector<std::string>& args = {});
  // The same in a folder the caller keeps, for files that outlive the game;
  // with a user id, the game runs as that user (the test runs as root).
  GameProcess(const std::filesystem::path& workDir, const std::vector<std::string>& env = {},
              std::optional<uid_t> user = std::nullopt);
  ~GameProcess();  // kills a game still running
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  // Waits for the window and the first frames drawn in it; false if the game
  // ended or the time ran out.
  bool waitForFirstFrame(double seconds = 60);
  // Waits until the game has drawn count more frames; false likewise.
  bool waitForFrames(int count, double seconds = 30);
  // Lets at least the given game time pass. The game's frame step is capped,
  // so slow frames count for less than their wall-clock time; a still screen
  // (the slides, the pad setup) draws none, and only the wall time passes.
  void play(double gameSeconds);

  bool alive();
  // The most resident memory the running game has held so far (VmHWM), in megabytes.
  double peakResidentMegabytes();
  // Waits for the process to end; its exit status, or -1 if it did not end in time.
  int waitForExit(double seconds);
  void kill();  // ends the game at once (SIGKILL): no exit path runs

  // Input goes to the game's window as X events. Each edge is held until the
  // game has drawn a frame after it (or has ended), and a second while the
  // screen moves, as the first may have begun before the event arrived; so a
  // press and its release never share a frame.
  void key(const std::string& keysym, unsigned modifiers = 0);  // as X names it: "q", "3", "F11"
  // The same on a still screen (the slides, the pad setup), which reads the
  // input at every poll and draws once for each key: a frame per edge, with no
  // wait to see whether the screen moves.
  void stillKey(const std::string& keysym);
  // A press and its release sent together, as a tap too quick for any frame
  // to fall between them; then waits for its frames as for an edge.
  void tap(const std::string& keysym, unsigned modifiers = 0);
  // The left button at window pixel (x, y), y from the top, on a still screen
  // as stillKey: clicks step the slides.
  void click(int x, int y);
  void close();  // asks the window to close, as a window manager's close button does
  void stepThroughSlides();  // Start once for each slide: the game screen follows the last
  // Through the slides, then 2 game seconds for the first wave to land and start walking.
  void enterGame();
  // Every square key, pressed by press (key() when empty), round after round
  // until the region differs from how it looked before, seen once the feet
  // have risen away; false if 25 rounds left it as it was or the game ended.
  bool stompUntilChanged(const Region& region, const std::function<void(const char*)>& press = {});

  std::array<int, 2> size();
  std::array<int, 2> position();    // the window's top-left corner on the screen
  std::array<int, 2> screenSize();
  bool coversTheScreen();  // at the screen's corner, and as large as the screen
  pid_t pid() const { return pid_; }
  unsigned long window() const { return window_; }  // the X window, once the first frame is seen
  // Window pixels, y from the top; a window that cannot be read throws.
  Rgb pixel(int x, int y);
  std::vector<uint8_t> grab(int x, int y, int width, int height);  // RGB rows from the top
  std::vector<uint8_t> grab(const Region& r) { return grab(r.x, r.y, r.width, r.height); }
  // Waits until pixel (x, y) is within tolerance of rgb; false on timeout or when the game ends.
  bool waitForPixel(int x, int y, Rgb rgb, int tolerance, double seconds);

  // What the game printed, once it has exited (its buffers are flushed then,
  // unless it was killed).
  std::string output();  // stdout
  std::string errors();  // stderr
  // For failure messages: whether the game runs, and its stderr so far.
  std::string report();

 private:
  void start(const std::vector<std::string>& env, std::optional<uid_t> user = std::nullopt,
             const std::vector<std::string>& args = {});
  int newFrames();
  // Count frames, or fewer when the screen goes still (no frame for
  // stillSeconds, when above 0); false if the game ended or the time ran out first.
  bool framesOrStill(int count, double seconds, double stillSeconds);
  // A frame after an input edge; on a moving screen a second one, or a still
  // moment, as the first may have begun before the event arrived.
  bool waitForEdge(bool still);
  // down, then up, each followed by its frame; what names it in the error.
  void pressAndRelease(const std::function<void(bool)>& send, bool still, const std::string& what);
  bool unpainted();  // every window pixel black
  void requireExited();
  void sendKey(const std::string& keysym, bool down, unsigned modifiers);
  void sendButton(int x, int y, bool down);

  std::optional<testfiles::TempDir> ownedDir_;  // removed after the game ends
  std::filesystem::path workDir_;
  pid_t pid_ = -1;
  int exitStatus_ = -1;
  unsigned long window_ = 0;
  unsigned long damage_ = 0;  // reports the window's frames
};

// Expects the game to stop as a failed start-up does: status 1 (or the one
// given) and a single line on stderr holding every one of the parts.
void expectOneLineExit(GameProcess& game, const std::vector<std::string>& parts, int status = 1);

}  // namespace e2e
