#include "support/GlTest.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

namespace testgl {

std::array<uint8_t, 4> pixel(int x, int y) {
  std::array<uint8_t, 4> rgba{};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

Frame readFrame() {
  Frame frame{kWidth, kHeight, std::vector<uint8_t>(static_cast<size_t>(kWidth) * kHeight * 4)};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
  return frame;
}

Box boxWhere(const Frame& frame, const std::function<bool(const uint8_t*)>& test, Area area) {
  Box box;
  for (int y = std::max(area.y0, 0); y < std::min(area.y1, frame.height); ++y)
    for (int x = std::max(area.x0, 0); x < std::min(area.x1, frame.width); ++x)
      if (test(frame.at(x, y))) {
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.bottom = std::min(box.bottom, y);
        box.top = std::max(box.top, y);
      }
  return box;
}

Box boxWhere(const Frame& frame, const std::function<bool(const uint8_t*)>& test) {
  return boxWhere(frame, test, {0, 0, frame.width, frame.height});
}

Box runsThrough(const Frame& frame, int x, int y, const std::function<bool(const uint8_t*)>& test) {
  auto passes = [&](int px, int py) {
    return px >= 0 && py >= 0 && px < frame.width && py < frame.height && test(frame.at(px, py));
  };
  Box box;
  if (!passes(x, y)) return box;
  box.left = box.right = x;
  box.bottom = box.top = y;
  while (passes(box.left - 1, y)) --box.left;
  while (passes(box.right + 1, y)) ++box.right;
  while (passes(x, box.bottom - 1)) --box.bottom;
  while (passes(x, box.top + 1)) ++box.top;
  return box;
}

void resetFrame(float r, float g, float b) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_DEPTH_TEST);
  glColor4f(1, 1, 1, 1);
  glClearColor(r, g, b, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

DrawCheck::DrawCheck() {
  while (glGetError() != GL_NO_ERROR) {
  }
  before_ = matrixStackDepths();
}

::testing::AssertionResult DrawCheck::clean() const {
  std::string fault = frameStateFault(before_);
  if (fault.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << fault;
}

}  // namespace testgl
