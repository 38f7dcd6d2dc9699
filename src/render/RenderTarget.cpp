#include "render/RenderTarget.h"

#define GL_GLEXT_PROTOTYPES  // GL 3.0's framebuffer entry points, which libOpenGL exports
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

#include "render/Render.h"

// GL 3.0, or the ARB extension that brought its framebuffer objects to older versions.
bool RenderTarget::offered() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));  // "major.minor ..."
  int major = version ? std::atoi(version) : 0;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return major >= 3 || (extensions && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr);
}

bool RenderTarget::create(int width, int height) {
  release();
  if (!offered() || width <= 0 || height <= 0) return false;
  GLint previousTexture = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
  texture_ = newTexture(width, height, nullptr);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
  width_ = width;
  height_ = height;
  glGenFramebuffers(1, &framebuffer_);
  begin();
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
  bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  end();
  if (!complete) release();
  return complete;
}

void RenderTarget::release() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (texture_) glDeleteTextures(1, &texture_);
  framebuffer_ = texture_ = 0;
  width_ = height_ = 0;
}

void RenderTarget::begin() {
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFramebuffer_);
  glGetIntegerv(GL_VIEWPORT, previousViewport_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, width_, height_);
}

void RenderTarget::end() {
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer_));
  glViewport(previousViewport_[0], previousViewport_[1], previousViewport_[2], previousViewport_[3]);
}
