#include "app/Window.h"

#include <GL/freeglut.h>

#include "app/App.h"
#include "app/Desktop.h"
#include "input/KeyboardState.h"
#include "objects/Camera.h"
#include "render/Render.h"

namespace {

struct {
  int width = 0, height = 0;  // pixels
  bool pending = false;       // not yet applied by a frame
} reshaped;
bool swapInterval = false;  // requestVSync set one

// Callbacks only record; all work happens in the display callback.
void onReshape(int width, int height) { reshaped = {width, height, true}; }
void onDisplay() { App::instance().displayFrame(); }
void onIdle() { App::instance().idle(); }
void onMotion(int x, int y) { KeyboardState::instance().onMouseMove(x, y); }
void onMouse(int button, int state, int x, int y) { KeyboardState::instance().onMouseButton(button, state, x, y); }
void onKey(unsigned char key, int x, int y) { KeyboardState::instance().onKeyDown(key, x, y); }
void onKeyUp(unsigned char key, int x, int y) { KeyboardState::instance().onKeyUp(key, x, y); }
void onSpecial(int key, int x, int y) { KeyboardState::instance().onSpecialDown(key, x, y); }
void onSpecialUp(int key, int x, int y) { KeyboardState::instance().onSpecialUp(key, x, y); }

}  // namespace

int createMainWindow(int width, int height, const char* title) {
  int argc = 1;
  char dummy[] = "dummy";  // the real command line is ignored
  char* argv[] = {dummy, nullptr};
  glutInit(&argc, argv);
  // Drawn far to near, the game tests no depth, and llvmpipe clears no depth buffer each frame.
  unsigned depth = fillShortcutAllowed(FillShortcut::StandingOrder) ? 0 : GLUT_DEPTH;
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | depth);
  glutInitWindowSize(width, height);
  int window = glutCreateWindow(title);
  identifyWindow();
  glutPositionWindow(20, 200);
  glutIgnoreKeyRepeat(1);
  setStartupGlState();
  swapInterval = requestVSync();
  return window;
}

bool swapIntervalSet() { return swapInterval; }

bool windowSizePending() { return reshaped.pending; }

void applyWindowSize() {
  if (!reshaped.pending) return;
  reshaped.pending = false;
  Camera::instance().resize(reshaped.width, reshaped.height);
}

void registerCallbacks() {
  glutReshapeFunc(onReshape);
  glutDisplayFunc(onDisplay);
  glutIdleFunc(onIdle);
  glutMotionFunc(onMotion);
  glutPassiveMotionFunc(onMotion);
  glutMouseFunc(onMouse);
  glutKeyboardFunc(onKey);
  glutKeyboardUpFunc(onKeyUp);
  glutSpecialFunc(onSpecial);
  glutSpecialUpFunc(onSpecialUp);
}

namespace {

bool fullScreen = false;  // the window covers the screen
struct {
  int x, y, width, height;  // pixels, where the window was before it covered the screen
} windowed;

}  // namespace

// A window manager does full screen properly (no frame, above panels). On a bare
// X server GLUT's own fallback misplaces the window, so the game moves it itself.
void toggleFullScreen() {
  if (windowManagerDoesFullScreen()) {
    glutFullScreenToggle();
  } else if (!fullScreen) {
    windowed = {glutGet(GLUT_WINDOW_X), glutGet(GLUT_WINDOW_Y), glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
    glutPositionWindow(0, 0);
    glutReshapeWindow(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
  } else {
    glutPositionWindow(windowed.x, windowed.y);
    glutReshapeWindow(windowed.width, windowed.height);
  }
  fullScreen = !fullScreen;
}

bool isFullScreen() { return fullScreen; }
void endGame() { glutLeaveMainLoop(); }
