// App: the screen flow. init brings every manager up in a fixed order; each
// frame runs update(dt) then render(), on the slides, the pad setup or the game
// screen. The pad setup opens from a slide and goes back to it.
#pragma once

#include "input/PadSetup.h"
#include "media/MusicStream.h"

class App {
 public:
  static constexpr float kMusicVolume = 0.7f;  // both clips, 0..1

  enum Screen { None = 0, Slides = 1, Game = 2, PadSetupScreen = 3 };

  static App& instance();

  void init();
  void update(float dt);
  void render();

  // GLUT glue: one frame, and the idle callback that keeps frames coming.
  void displayFrame();
  void idle();

  Screen screen() const { return screen_; }
  void setMainWindow(int window) { mainWindow_ = window; }
  const PadSetup& padSetup() const { return padSetup_; }

 private:
  void updateWindow();
  void updateSlides(float dt);
  void openPadSetup(int pad);
  void updatePadSetup(float dt);
  void startGame();
  void updateGame(float dt);
  void renderGame();

  Screen screen_ = None;
  int mainWindow_ = 0;    // GLUT id of the game window
  MusicStream introClip;  // loops while the last two slides show
  MusicStream loopClip;   // loops during the game
  PadSetup padSetup_;     // the pad setup on its screen; the slides wait where they were
  SelectHold selectHold_; // Select held on a slide opens the pad setup
};
