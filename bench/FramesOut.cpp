#include "FramesOut.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "GameDriver.h"
#include "app/App.h"
#include "input/KeyboardState.h"
#include "objects/Camera.h"
#include "render/Render.h"

namespace bench {

namespace {

constexpr int kStompEvery = 4;  // frames: the floor gathers splatter within the 300

// FNV-1a over the frame's RGBA. Mesa's software swap copies the back buffer to the
// window and leaves it as it was, so it still holds the frame just shown.
uint64_t frameChecksum() {
  const Camera& camera = Camera::instance();
  std::vector<uint8_t> rgba(static_cast<size_t>(camera.windowWidth()) * camera.windowHeight() * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, camera.windowWidth(), camera.windowHeight(), GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  uint64_t hash = 14695981039346656037ull;
  for (uint8_t byte : rgba) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

}  // namespace

void drawWithoutFillShortcuts() {
  allowFillShortcut(FillShortcut::PackedSprites, false);
  allowFillShortcut(FillShortcut::FloorDecals, false);
  allowFillShortcut(FillShortcut::StandingOrder, false);  // before the window is made: it then has a depth buffer
}

int writeFrameChecksums(const char* path) {
  FILE* out = std::fopen(path, "w");
  if (!out) {
    std::perror(path);
    return 1;
  }
  KeyboardState& keys = KeyboardState::instance();
  Script script(kStompEvery);
  for (int frame = 0; frame < kFramesOut; ++frame) {
    if (App::instance().screen() != ScreenId::Game) {  // Start on every other frame through the slides
      if (frame % 2 == 0) keys.onKeyDown('3', 0, 0);
      else keys.onKeyUp('3', 0, 0);
    } else {
      script.beforeFrame();
    }
    gameFrame();
    std::fprintf(out, "%d %016llx\n", frame, static_cast<unsigned long long>(frameChecksum()));
  }
  return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace bench
