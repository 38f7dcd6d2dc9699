#include "support/GlutWarnings.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const char* programName = "";

void onGlutWarning(const char* format, va_list args) {
  if (std::strstr(format, "glutGetModifiers") != nullptr) return;
  std::fprintf(stderr, "freeglut (%s): ", programName);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
}

}  // namespace

void quietModifierWarnings(const char* program) {
  programName = program;
  glutInitWarningFunc(onGlutWarning);
}
