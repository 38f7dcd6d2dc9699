// Drives the real game from the benchmark: its own frame loop on a fake clock
// with a fixed step, and a scripted player pressing keys on a fixed rhythm.
#pragma once

namespace bench {

constexpr int kFrameMs = 16;  // the fixed frame step the game sees
constexpr float kFrameSeconds = kFrameMs / 1000.0f;
constexpr char kSquareKeys[] = "qweadzxc";

// Frames are driven here rather than by glutMainLoop; GLUT still delivers
// window and key events to the game's own callbacks when events are pumped.
void useOwnFrameLoop();
void pumpEvents();
// One frame of the game as the display callback runs it, one fixed step later.
void gameFrame();

void waitForWindowSize();
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
