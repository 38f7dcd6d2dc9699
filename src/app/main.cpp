// Stompalong: open the window, bring the game up, hand over to GLUT's loop.
#include <GL/freeglut.h>

#include <csignal>
#include <cstdio>

#include "app/App.h"
#include "app/ResourceDir.h"
#include "app/Window.h"
#include "core/Log.h"
#include "game/BestStomp.h"
#include "game/StompWorld.h"
#include "media/FontManager.h"

int main() {
  // Console lines reach a log or a pipe as they happen, not when a buffer fills,
  // and a reader that goes away never kills the game.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::signal(SIGPIPE, SIG_IGN);
  enterResourceDir();  // when none holds res/, the font's failure below says where it looked
  App& app = App::instance();
  app.setMainWindow(createMainWindow(800, 600, "Game"));
  registerCallbacks();
  StompWorld::instance().keepBestEverIn(BestStompFile::playerFile());  // the player's own, kept between runs
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
