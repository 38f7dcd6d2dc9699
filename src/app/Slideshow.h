// Slideshow: the full-window pictures shown before the game, one at a time,
// stepped by the player; no timing, no fades.
#pragma once

#include <vector>

class Slideshow {
 public:
  void addImage(const char* path);
  void advance() { ++currentIndex_; }
  bool finished() const;
  void deleteTextures();
  void draw() const;

  int currentIndex() const { return currentIndex_; }
  int pictureCount() const { return static_cast<int>(textures_.size()); }

 private:
  unsigned quadList_ = 0;          // untextured unit quad; 0 until the first addImage
  float width_ = 4.0f;             // width of the 2D view in slideshow units
  float height_ = 3.0f;            // height of the 2D view
  std::vector<unsigned> textures_; // pictures that loaded, in the order added
  int currentIndex_ = -1;          // picture on show; -1 until the first addImage
};
