// Drives the real game from the benchmark: its own frame loop on a fake clock
// with a fixed step, and a scripted player pressing keys on a fixed rhythm.
#pragma once

#include <functional>

namespace bench {

constexpr int kFrameMs = 16;  // the fixed frame step the game sees
constexpr int kWindowWidth = 800, kWindowHeight = 600;  // pixels, the game's window
constexpr float kFrameSeconds = kFrameMs / 1000.0f;
constexpr char kSquareKeys[] = "qweadzxc";
// The pad indicator's buttons for those keys, in their order (4, the centre, has no key).
constexpr int kSquareButtons[] = {0, 1, 2, 3, 5, 6, 7, 8};
// Frames between the frame figures' stomps: a gentle script keeps the wave near full.
constexpr int kFigureStompEvery = 40;

// Frames are driven here rather than by glutMainLoop; GLUT still delivers
// window and key events to the game's own callbacks when events are pumped.
void useOwnFrameLoop();
void pumpEvents();
// The game's own callbacks again, on the wall clock, as it runs for a player;
// useOwnFrameLoop goes back to the benchmark's.
void useGameLoop();
// The game's own loop, as glutMainLoop runs it: events (and a frame, when one
// was asked for), then the idle callback, which reads the input between frames
// and paces them. Until the given number of frames are drawn or the test holds
// after one; the time that frame's swap ended (after glFinish), or -1.
double runGameLoop(int frames, const std::function<bool()>& done);
// One frame of the game as the display callback runs it, one fixed step later.
void gameFrame();

void waitForWindowSize();
// The window at the size, once a frame has applied it.
void resizeWindow(int width, int height);
void stepThroughSlides();
// Stomps hard until the floor holds as many splatters as it ever keeps.
void fillFloor();

// Presses go through KeyboardState's GLUT-facing events; a key pressed in one
// frame is released in a later one, as a player's would be.
class Script {
 public:
  explicit Script(int stompEvery) : stompEvery_(stompEvery) {}
  void beforeFrame();

 private:
  int stompEvery_;          // frames between square presses
  int frame_ = 0;
  unsigned char held_ = 0;  // key down since the previous frame, 0 for none
};

}  // namespace bench
