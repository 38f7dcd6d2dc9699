#include "app/Slideshow.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include "media/Texture.h"
#include "render/Render.h"

namespace {

bool fileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

}  // namespace

void Slideshow::addImage(const char* path) {
  if (quadList_ == 0) quadList_ = QuadBuilder::instance().makeQuadList(nullptr, 0, 0);
  if (currentIndex_ < 0) currentIndex_ = 0;
  if (!fileExists(path)) return;
  paths_.emplace_back(path);
  textures_.push_back(0);
  if (pictureCount() == currentIndex_ + 1) loadCurrent();  // the first picture shows on the first frame
}

void Slideshow::advance() {
  ++currentIndex_;
  loadCurrent();
}

void Slideshow::loadCurrent() {
  while (!finished() && textures_[currentIndex_] == 0) {
    textures_[currentIndex_] = TextureRegistry::instance().getTexture(paths_[currentIndex_], 0);
    if (textures_[currentIndex_] != 0) return;
    paths_.erase(paths_.begin() + currentIndex_);  // a picture that fails is left out
    textures_.erase(textures_.begin() + currentIndex_);
  }
}

void Slideshow::decodeAhead() const {
  int next = currentIndex_ + 1;
  if (next >= 1 && next < pictureCount() && textures_[next] == 0) TextureRegistry::instance().prefetch({paths_[next]}, 0);
}

bool Slideshow::finished() const { return currentIndex_ >= pictureCount(); }

void Slideshow::deleteTextures() {
  for (unsigned texture : textures_)
    if (texture) glDeleteTextures(1, &texture);
}

void Slideshow::draw() const {
  bool onShow = currentIndex_ >= 0 && currentIndex_ < pictureCount();
  bindTexture(onShow ? textures_[currentIndex_] : 0);
  setTexturing(true, true);
  overlayBegin(-width_ / 2, width_ / 2, -height_ / 2, height_ / 2);
  scale(width_, height_, 1);  // the unit quad fills the whole 4 by 3 view
  drawQuad(quadList_);
  overlayEnd();
}
