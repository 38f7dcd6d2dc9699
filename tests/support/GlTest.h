// GL test support: a test executable linked with this library runs with one
// 800 by 600 GLUT window (double-buffered RGBA with depth) on the X server of
// $DISPLAY, created before the first test, so GL calls work in any test.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <vector>

#include "render/FrameCheck.h"

namespace testgl {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// RGBA of one pixel of the back buffer; (x, y) counted from the bottom left.
std::array<uint8_t, 4> pixel(int x, int y);

// The whole back buffer, read once.
struct Frame {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // rows from the bottom, as GL reads them
  const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  bool operator==(const Frame&) const = default;
};
Frame readFrame();

// The smallest box, in pixels and inclusive, around the pixels that pass a test.
struct Box {
  int left = INT_MAX, bottom = INT_MAX, right = -1, top = -1;
  bool empty() const { return right < 0; }
  int width() const { return empty() ? 0 : right - left + 1; }
  int height() const { return empty() ? 0 : top - bottom + 1; }
};
// Columns [x0, x1) and rows [y0, y1) of the frame are searched.
struct Area {
  int x0, y0, x1, y1;
};
Box boxWhere(const Frame& frame, const std::function<bool(const uint8_t* rgba)>& test, Area area);
Box boxWhere(const Frame& frame, const std::function<bool(const uint8_t* rgba)>& test);
// The runs of pixels that pass a test through (x, y), as one box: left to right
// the run along its row, bottom to top the run along its column. Empty when
// (x, y) itself fails.
Box runsThrough(const Frame& frame, int x, int y, const std::function<bool(const uint8_t* rgba)>& test);

// Clears colour and depth to the given colour and resets the GL state the game
// relies on (modelview current and identity, depth test on, blend and texturing off).
void resetFrame(float r = 0.f, float g = 0.f, float b = 0.f);

// What a draw pass must hand back as it found it: no GL error raised, and
// both matrix stacks at their depth. Made before the pass, asked after it.
class DrawCheck {
 public:
  DrawCheck();  // clears errors raised before
  ::testing::AssertionResult clean() const;

 private:
  MatrixStackDepths before_;
};

}  // namespace testgl
