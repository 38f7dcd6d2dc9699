// Stompalong: read the command line, open the window, bring the game up, hand
// over to GLUT's loop.
#include <GL/freeglut.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/Options.h"
#include "app/ResourceDir.h"
#include "app/Settings.h"
#include "app/Window.h"
#include "core/Log.h"
#include "game/BestStomp.h"
#include "game/StompWorld.h"
#include "media/FontManager.h"

int main(int argc, char** argv) {
  // Console lines reach a log or a pipe as they happen, not when a buffer fills,
  // and a reader that goes away never kills the game.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::signal(SIGPIPE, SIG_IGN);
  // --help and --version end here, before any window or sound device.
  Options options = readOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (options.exitStatus) return *options.exitStatus;
  enterResourceDir();  // when none holds res/, the font's failure below says where it looked
  App& app = App::instance();
  app.useSettings(SettingsFile::defaultPath(), options);
  app.openDevices();
  App::decodePicturesAhead();
  app.setMainWindow(createMainWindow(800, 600, "Game"));
  registerCallbacks();
  StompWorld::instance().keepBestEverIn(BestStompFile::playerFile());  // the player's own, kept between runs
  StompWorld::instance().setRoundSeconds(options.roundSeconds);
  try {
    app.init();
  } catch (const FontError& error) {
    // The font is the one resource the game cannot run without.
    logLine("%s", fontFailureLine(error.what()).c_str());
    return 1;
  }
  glutMainLoop();
  return 0;
}
