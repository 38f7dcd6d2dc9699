// Test support: every test executable runs with one 800 by 600 GLUT window
// (double-buffered RGBA with depth) on the X server of $DISPLAY, created
// before the first test, so GL calls work in any test.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace testgl {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// RGBA of one pixel of the back buffer; (x, y) counted from the bottom left.
std::array<uint8_t, 4> pixel(int x, int y);

// Clears colour and depth to the given colour and resets the GL state the game
// relies on (modelview current and identity, depth test on, blend and texturing off).
void resetFrame(float r = 0.f, float g = 0.f, float b = 0.f);

// Writes a PNG file with the given RGBA rows (top row first) for tests that need pictures.
void writePng(const std::string& path, int width, int height, const uint8_t* rgba);

// A fresh empty directory under the system temp dir, unique per call.
std::string tempDir(const std::string& tag);

}  // namespace testgl
