// Slideshow: the full-window pictures shown before the game, one at a time,
// stepped by the player; no timing, no fades. Only the first picture is
// loaded with it: each later one is decoded on a worker thread while the one
// before it shows, and handed to GL when it is stepped to.
#pragma once

#include <string>
#include <vector>

class Slideshow {
 public:
  // A file that is not there is left out at once; one that fails to decode is
  // left out when it is stepped to.
  void addImage(const char* path);
  void advance();
  bool finished() const;
  void deleteTextures();
  void draw() const;
  // Starts decoding the picture after the one on show; each frame, once the
  // first picture has shown, so that decoding never delays the first frame.
  void decodeAhead() const;

  int currentIndex() const { return currentIndex_; }
  int pictureCount() const { return static_cast<int>(paths_.size()); }

 private:
  // Loads the picture on show, leaving out those that fail, until one loads or none is left.
  void loadCurrent();

  unsigned quadList_ = 0;            // untextured unit quad; 0 until the first addImage
  float width_ = 4.0f;               // width of the 2D view in slideshow units
  float height_ = 3.0f;              // height of the 2D view
  std::vector<std::string> paths_;   // pictures not known to fail, in the order added
  std::vector<unsigned> textures_;   // by picture: 0 until it is loaded
  int currentIndex_ = -1;            // picture on show; -1 until the first addImage
};
