#include "support/GlTest.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <png.h>

#include <atomic>
#include <dlfcn.h>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

#include "objects/Camera.h"

namespace testgl {

std::array<uint8_t, 4> pixel(int x, int y) {
  std::array<uint8_t, 4> rgba{};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
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

void writePng(const std::string& path, int width, int height, const uint8_t* rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgba, 0, nullptr))
    throw std::runtime_error("cannot write " + path);
}

std::string tempDir(const std::string& tag) {
  static std::atomic<int> counter{0};
  auto dir = std::filesystem::temp_directory_path() /
             ("stompalong-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace testgl

namespace {

// Mesa unloads its driver when the display closes, so leaks inside it would be
// reported without a module name and escape the system-library suppressions.
// Keeping the driver mapped lets the suppressions recognise them.
void keepGlDriverMapped() {
  for (const char* library : {"libGLX_mesa.so.0", "swrast_dri.so", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
    dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  keepGlDriverMapped();
  int glutArgc = 1;
  char name[] = "tests";
  char* glutArgv[] = {name, nullptr};
  glutInit(&glutArgc, glutArgv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(testgl::kWidth, testgl::kHeight);
  int window = glutCreateWindow("tests");
  glViewport(0, 0, testgl::kWidth, testgl::kHeight);
  Camera::instance().resize(testgl::kWidth, testgl::kHeight);
  int result = RUN_ALL_TESTS();
  // Closing the window lets Mesa free its buffers before the leak check runs.
  glutDestroyWindow(window);
  glutExit();
  return result;
}
