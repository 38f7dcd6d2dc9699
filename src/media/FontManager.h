// FontManager: one TrueType font rasterised once into 128 glyph textures and
// display lists; print draws printf-style text line by line, downwards.
#pragma once

class FontManager {
 public:
  static FontManager& instance();

  // Throws std::runtime_error with FreeType's failure message.
  void load(const char* path, unsigned height);
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));

  float lineSpacing() const;

 private:
  float height_ = 0;             // nominal size of the latest load
  unsigned* textures_ = nullptr; // 128 texture names, index = character code
  unsigned listBase_ = 0;        // list listBase_ + ch draws character ch
};
