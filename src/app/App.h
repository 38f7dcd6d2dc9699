// App: the shell. init brings every manager up in a fixed order; each frame
// reads the input once, runs the current screen's update with it, draws that
// screen and the overlays, and swaps. Only App switches screens.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "app/FramePacer.h"
#include "app/Options.h"
#include "app/Settings.h"
#include "app/Volume.h"
#include "app/screens/GameScreen.h"
#include "app/screens/PadSetupScreen.h"
#include "app/screens/ResultsScreen.h"
#include "app/screens/SlidesScreen.h"

class App {
 public:
  static constexpr float kMusicVolume = 0.7f;  // both clips, 0..1

  static App& instance();

  // The settings file, and this run's options over it; before init. Without
  // it the game starts at full volume in a window and keeps nothing.
  void useSettings(const std::string& path, const Options& options);
  // The dance pads and the sound device; init opens them if this has not.
  void openDevices();
  // Starts decoding the first slide and the game screen's pictures on a
  // worker thread; after openDevices, and before the window, whose making
  // keeps this thread busy.
  static void decodePicturesAhead();
  void init();
  void update(float dt);
  void render();

  // GLUT glue: one frame (the display callback, ours or the window's expose),
  // and the idle callback, which reads the input between frames and asks for
  // a frame when the pacer wants one.
  void displayFrame();
  void idle();
  long framesDrawn() const { return framesDrawn_; }

  ScreenId screen() const { return screenId_; }
  void setMainWindow(int window) { mainWindow_ = window; }
  const SlidesScreen& slides() const { return slides_; }
  const PadSetup& padSetup() const { return padSetup_.setup(); }

 private:
  App();
  FrameInput readInput(float dt);
  void runUpdate();  // the window's new size, the clock's tick, the update
  void noteChanges(const FrameInput& input);
  bool frameWanted(double nowMs) const;
  void updateWindow(const FrameInput& input);
  void updateVolume(const FrameInput& input, float dt);
  void keepFullScreen(bool on);
  void loadNextPiece();
  void switchTo(const NextScreen& next);
  Screen* screenOf(ScreenId id);

  int mainWindow_ = 0;  // GLUT id of the game window
  SlidesScreen slides_;
  PadSetupScreen padSetup_;
  GameScreen game_;
  ResultsScreen results_{game_};
  ScreenId screenId_ = ScreenId::None;
  Screen* current_ = nullptr;  // none until init is done
  Volume volume_;
  bool fullScreen_ = false;  // the window the player wants; the frame makes it so
  SettingsFile settingsFile_;
  Settings saved_;  // as the file holds them: the player's changes, not this run's options
  FramePacer pacer_;
  FrameInput lastInput_;        // the latest update's
  bool inputChanged_ = false;   // the latest update's input differs from the one before
  bool stale_ = true;           // the picture on show is not what the screen would draw now
  bool barShown_ = false;       // the volume bar, as of the latest update
  bool updated_ = false;        // the idle callback updated for the frame it asked for
  bool slept_ = false;          // the idle callback waited since the latest frame
  long framesDrawn_ = 0;
  bool devicesOpen_ = false;
  // What only the game screen draws, loaded after the first frame, a piece an
  // update, so the first slide shows sooner; the rest at once when another
  // screen opens.
  std::deque<std::function<void()>> piecesToLoad_;
};
