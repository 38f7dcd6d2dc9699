#include "media/Texture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/Log.h"
#include "media/PngImage.h"
#include "media/TgaImage.h"
#include "render/Render.h"

namespace {

// Clamping to the edge texel: GL_CLAMP would blend the border colour into the
// outermost texels and draw a dark fringe round every picture.
GLint wrapMode(unsigned options) { return (options & repeatWrap) ? GL_REPEAT : GL_CLAMP_TO_EDGE; }

// The largest side, in pixels, of a picture this renderer can take as a texture.
int pictureSideLimit() {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  return std::min<int>(largest, kMaxPictureSide);
}

unsigned newBoundTexture() {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  return texture;
}

// Clamped or repeating on both axes; linear filters, so the mipmap levels are never sampled.
void setSampling(unsigned options) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode(options));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode(options));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

// Every pixel's alpha is full: nothing shows through the picture anywhere.
bool allOpaque(const uint8_t* rgba, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i)
    if (rgba[i * 4 + 3] != 255) return false;
  return true;
}

struct Upload {
  unsigned texture = 0;  // 0: the picture could not be loaded
  bool opaque = false;
};

Upload uploadTga(const char* path, unsigned options, size_t& bytesLeft) {
  TgaImage image;
  if (!image.load(path, options & bottomRowFirst, pictureSideLimit(), bytesLeft) || image.bits != 32) return {};
  bytesLeft -= pictureBytes(image.width, image.height);
  unsigned texture = newBoundTexture();
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
  setSampling(options);
  // Level 0 again at the file's own size (the mipmap builder rescales to powers of two).
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
  return {texture, allOpaque(image.pixels, static_cast<size_t>(image.width) * image.height)};
}

Upload uploadPng(const char* path, unsigned options, size_t& bytesLeft) {
  PngImage image;
  if (!image.load(path, options & bottomRowFirst, pictureSideLimit(), bytesLeft)) return {};
  bytesLeft -= pictureBytes(image.width, image.height);
  unsigned texture = newBoundTexture();
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
  setSampling(options);
  return {texture, allOpaque(image.rgba.data(), static_cast<size_t>(image.width) * image.height)};
}

// The extension runs from the last '.' of the whole path; none when there is no '.'.
bool hasExtension(const std::string& path, const char* extension) {
  size_t dot = path.rfind('.');
  return dot != std::string::npos && strcasecmp(path.c_str() + dot, extension) == 0;
}

// A picture that loads takes its RGBA bytes out of bytesLeft.
Upload upload(const std::string& path, unsigned options, size_t& bytesLeft) {
  if (hasExtension(path, ".tga")) return uploadTga(path.c_str(), options, bytesLeft);
  if (hasExtension(path, ".png")) return uploadPng(path.c_str(), options, bytesLeft);
  return {};
}

}  // namespace

TextureRegistry& TextureRegistry::instance() {
  static TextureRegistry* registry = new TextureRegistry;  // lives until the process ends
  return *registry;
}

unsigned TextureRegistry::getTexture(const std::string& path, unsigned options) {
  if (unsigned cached = find(path)) return cached;
  FileStamp stamp = stampOf(path);
  auto failed = failures_.find(path);
  if (failed != failures_.end() && failed->second == stamp) return 0;  // still the file that failed
  logTrace("\nLoading texture %s...", path.c_str());
  Upload loaded = upload(path, options, pictureBytesLeft_);
  unsigned texture = loaded.texture;
  add(path, texture);
  if (loaded.opaque) opaque_.insert(path);
  if (texture)
    failures_.erase(path);
  else
    failures_.insert_or_assign(path, stamp);
  logTrace("done.");
  return texture;
}

TextureRegistry::FileStamp TextureRegistry::stampOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {false, 0, 0};
  return {true, static_cast<long long>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

bool TextureRegistry::opaque(const std::string& path) const { return opaque_.contains(path); }

QuadBuilder& QuadBuilder::instance() {
  static QuadBuilder builder;
  return builder;
}

unsigned QuadBuilder::makeQuadList(const char* path, float centreX, float centreY) {
  unsigned texture = path ? TextureRegistry::instance().getTexture(path, 0) : 0;
  unsigned list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  // A picture that failed to load is simply missing: its list draws nothing,
  // rather than showing whatever texture another pass left bound.
  if (path && !texture) {
    glEndList();
    return list;
  }
  if (texture) bindTexture(texture);
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  // Counter-clockwise from the bottom left; t = 0 is the top edge, so top-row-first pictures stand upright.
  glTexCoord2f(0, 1);
  glVertex2f(centreX - 0.5f, centreY - 0.5f);
  glTexCoord2f(1, 1);
  glVertex2f(centreX + 0.5f, centreY - 0.5f);
  glTexCoord2f(1, 0);
  glVertex2f(centreX + 0.5f, centreY + 0.5f);
  glTexCoord2f(0, 0);
  glVertex2f(centreX - 0.5f, centreY + 0.5f);
  glEnd();
  glEndList();
  return list;
}
