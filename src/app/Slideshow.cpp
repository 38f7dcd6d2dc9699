#include "app/Slideshow.h"

#include <GL/gl.h>

#include "media/Texture.h"
#include "render/Render.h"

void Slideshow::addImage(const char* path) {
  if (quadList_ == 0) quadList_ = QuadBuilder::instance().makeQuadList(nullptr, 0, 0);
  unsigned texture = TextureRegistry::instance().getTexture(path, 0);
  if (texture != 0) textures_.push_back(texture);  // a picture that fails is left out
  if (currentIndex_ < 0) currentIndex_ = 0;
}

bool Slideshow::finished() const { return currentIndex_ >= pictureCount(); }

void Slideshow::deleteTextures() {
  for (unsigned texture : textures_) glDeleteTextures(1, &texture);
}

void Slideshow::draw() const {
  bool onShow = currentIndex_ >= 0 && currentIndex_ < pictureCount();
  bindTexture(onShow ? textures_[currentIndex_] : 0);
  setTexturing(true, true);
  overlayBegin(-width_ / 2, width_ / 2, -height_ / 2, height_ / 2);
  scale(width_, height_, 1);  // the unit quad fills the whole 4 by 3 view
  callList(quadList_);
  overlayEnd();
}
