// The main() of every GL test executable: one GLUT window on $DISPLAY, made
// current before the first test and closed after the last.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "objects/Camera.h"
#include "support/GlTest.h"
#include "support/GlutWarnings.h"

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
  quietModifierWarnings(name);
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
