// The game window and the GLUT callbacks that feed the App and KeyboardState.
#pragma once

int createMainWindow(int width, int height, const char* title);
// The window asked for one swap per display refresh and the driver took it.
bool swapIntervalSet();
void registerCallbacks();

// The reshape callback only records the window's new size; the frame applies
// it first thing, to the camera and the 2D layers. True while one waits.
bool windowSizePending();
void applyWindowSize();

// Full screen and back; the reshape that follows resizes camera and overlay.
void toggleFullScreen();
bool isFullScreen();
// Ends the game as closing the window does: GLUT's loop stops and the process exits with status 0.
void endGame();
