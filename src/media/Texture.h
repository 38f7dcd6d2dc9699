// TextureRegistry turns PNG and TGA files into cached GL textures; QuadBuilder
// compiles display lists of textured unit squares that scene objects replay.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>

#include "core/PathCache.h"
#include "media/PictureLimit.h"

// Load options: only these two bits are read.
constexpr unsigned bottomRowFirst = 0x01;  // first pixel row handed to GL is the picture's bottom row
constexpr unsigned repeatWrap = 0x10;      // GL_REPEAT instead of GL_CLAMP_TO_EDGE on both axes

class TextureRegistry {
 public:
  static TextureRegistry& instance();
  // A registry whose pictures may take pictureBytes as RGBA, all together.
  explicit TextureRegistry(size_t pictureBytes = kMaxPictureBytes) : pictureBytesLeft_(pictureBytes) {}

  // Cached texture of the file, loading it on first request; 0 when it cannot be
  // loaded, or would take more than the pictures' bytes left. A file that failed
  // is tried again only once it has changed.
  unsigned getTexture(const std::string& path, unsigned options);
  unsigned find(const std::string& path) const { return textures_.find(path); }
  void add(const std::string& path, unsigned texture) { textures_.add(path, texture); }
  // The file's picture is loaded and every pixel of it has full alpha, so
  // blending it changes nothing: it may be drawn without.
  bool opaque(const std::string& path) const;

 private:
  // What a file looked like when it last failed to load: a request for it
  // costs one look at its metadata until it changes.
  struct FileStamp {
    bool exists;
    long long size;             // bytes
    long long modifiedNanos;    // modification time, nanoseconds since the epoch
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp stampOf(const std::string& path);

  PathCache<unsigned> textures_;                             // GL texture names by file
  std::map<std::string, FileStamp> failures_;               // files whose latest load failed
  std::set<std::string> opaque_;                            // files whose pictures have no see-through pixel
  size_t pictureBytesLeft_;  // RGBA bytes more pictures may take; only ever shrinks
};

class QuadBuilder {
 public:
  static QuadBuilder& instance();

  // A new display list drawing a unit square centred at (centreX, centreY) in
  // z = 0, bound to the file's texture. Without a path it binds nothing and
  // draws with the texture bound at replay; for a file that fails it draws nothing.
  unsigned makeQuadList(const char* path, float centreX, float centreY);
};
