#include "InputLatency.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "GameDriver.h"
#include "Measure.h"
#include "input/PadInput.h"

namespace bench {

namespace {

constexpr int kPresses = 40;
constexpr int kGiveUpFrames = 300;  // a press not shown by then is reported missing
constexpr int kSettleFrames = 3;    // after a release, before the next press

// The frame during which a press lands varies: presses are sent from another
// thread, up to this long into a frame.
constexpr double kLongestDelayMs = 12;

bool lit(int button) { return PadInput::instance().lit(button); }

double framesUntil(int button, bool wanted) {
  return runGameLoop(kGiveUpFrames, [=] { return lit(button) == wanted; });
}

KeyCode keyCodeOf(Display* display, int button) {
  char name[2] = {static_cast<char>(PadInput::keyOf(button)), '\0'};
  return XKeysymToKeycode(display, XStringToKeysym(name));
}

// One press: sent after a delay from another thread (it alone uses the
// connection until the future is read), timed to the swap that shows it.
double timedPress(Display* display, KeyCode code, int button, double delayMs) {
  std::future<double> sent = std::async(std::launch::async, [=] {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(delayMs));
    double at = wallMs();
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XFlush(display);
    return at;
  });
  double shown = framesUntil(button, true);
  double sentAt = sent.get();
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
  framesUntil(button, false);
  runGameLoop(kSettleFrames, [] { return false; });
  return shown < 0 ? -1 : shown - sentAt;
}

}  // namespace

void measureInputToFrame() {
  Display* display = XOpenDisplay(nullptr);
  int event = 0, error = 0, major = 0, minor = 0;
  if (!display || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
    std::printf("\ninput_to_frame_ms: no XTEST extension on this X server");
    if (display) XCloseDisplay(display);
    return;
  }
  // The game runs as it does for a player: its own callbacks, paced, on the wall clock.
  useGameLoop();
  // The game's window takes the keyboard, as it would when a player clicks on it.
  XSetInputFocus(display, glXGetCurrentDrawable(), RevertToPointerRoot, CurrentTime);
  XSync(display, False);

  std::vector<double> latencies;
  int missing = 0;
  for (int i = 0; i < kPresses; ++i) {
    int button = kSquareButtons[i % std::size(kSquareButtons)];
    double delay = kLongestDelayMs * i / kPresses;
    double ms = timedPress(display, keyCodeOf(display, button), button, delay);
    if (ms < 0)
      ++missing;
    else
      latencies.push_back(ms);
  }
  XCloseDisplay(display);
  useOwnFrameLoop();
  report("input_to_frame_ms_median", median(latencies), "ms");
  report("input_to_frame_ms_worst", percentile(latencies, 1), "ms");
  report("input_presses_not_shown", missing, "presses");
}

}  // namespace bench
