#include "render/FrameCheck.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "core/Log.h"

namespace {

int integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

void describeDepth(std::string& fault, const char* stack, int now, int before) {
  if (now == before) return;
  if (!fault.empty()) fault += "; ";
  fault += std::string(stack) + " stack " + std::to_string(now) + ", was " + std::to_string(before);
}

}  // namespace

MatrixStackDepths matrixStackDepths() {
  return {integer(GL_MODELVIEW_STACK_DEPTH), integer(GL_PROJECTION_STACK_DEPTH)};
}

MatrixStackDepths frameCheckStart() {
#ifndef NDEBUG
  return matrixStackDepths();
#else
  return {};
#endif
}

std::string frameStateFault(const MatrixStackDepths& before) {
  std::string fault;
  if (GLenum error = glGetError(); error != GL_NO_ERROR) {
    char text[32];
    std::snprintf(text, sizeof text, "GL error 0x%x", error);
    fault = text;
  }
  MatrixStackDepths now = matrixStackDepths();
  describeDepth(fault, "modelview", now.modelview, before.modelview);
  describeDepth(fault, "projection", now.projection, before.projection);
  return fault;
}

void checkFrameState([[maybe_unused]] const MatrixStackDepths& before) {
#ifndef NDEBUG
  std::string fault = frameStateFault(before);
  if (fault.empty()) return;
  logLine("a frame left OpenGL in a bad state: %s", fault.c_str());
  std::abort();
#endif
}
