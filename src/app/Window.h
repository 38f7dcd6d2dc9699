// The game window and the GLUT callbacks that feed the App and KeyboardState.
#pragma once

int createMainWindow(int width, int height, const char* title);
void registerCallbacks();
