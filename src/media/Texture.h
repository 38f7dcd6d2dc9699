// TextureRegistry turns PNG and TGA files into cached GL textures; QuadBuilder
// compiles display lists of textured unit squares that scene objects replay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/PathCache.h"
#include "media/PictureLimit.h"
#include "media/TexturePack.h"

// Load options: only these two bits are read.
constexpr unsigned bottomRowFirst = 0x01;  // first pixel row handed to GL is the picture's bottom row
constexpr unsigned repeatWrap = 0x10;      // GL_REPEAT instead of GL_CLAMP_TO_EDGE on both axes

// The part of a picture that can show through the alpha test: its texels with
// alpha above 0, grown by one texel (linear filtering reaches half a texel past
// them) and kept within the picture, as fractions of its sides; t = 0 is the
// first row handed to GL. A picture with no such texel keeps its whole square.
struct TexelBox {
  float s0 = 0, t0 = 0, s1 = 1, t1 = 1;
  bool operator==(const TexelBox&) const = default;
};
TexelBox visibleBox(const uint8_t* rgba, int width, int height);

// A picture decoded to RGBA, not yet handed to GL; no pixels when it failed.
struct DecodedPicture {
  int width = 0, height = 0;  // pixels
  std::vector<uint8_t> rgba;  // width*height*4 bytes
  bool roundSides = false;    // sides still to be rounded to powers of two, as the mipmap builder had them
  size_t bytes = 0;           // the file's own pixels as RGBA, which the pictures' budget counts
  bool opaque = false;        // every pixel has full alpha
  TexelBox visible;
};

class TextureRegistry {
 public:
  static TextureRegistry& instance();
  // A registry whose pictures may take pictureBytes as RGBA, all together.
  explicit TextureRegistry(size_t pictureBytes = kMaxPictureBytes) : pictureBytesLeft_(pictureBytes) {}
  ~TextureRegistry();

  // Cached texture of the file, loading it on first request; 0 when it cannot be
  // loaded, or would take more than the pictures' bytes left. A file that failed
  // is tried again only once it has changed.
  unsigned getTexture(const std::string& path, unsigned options);
  // Starts decoding the files, one after another on a worker thread, so that
  // their getTexture later only hands the pixels to GL; one thread, so the
  // caller keeps a core of its own. Files loaded or on their way are skipped.
  // Needs no GL context: the renderer's side limit is applied at the upload.
  void prefetch(const std::vector<std::string>& paths, unsigned options);
  unsigned find(const std::string& path) const { return textures_.find(path); }
  void add(const std::string& path, unsigned texture) { textures_.add(path, texture); }
  // The file's picture is loaded and every pixel of it has full alpha, so
  // blending it changes nothing: it may be drawn without.
  bool opaque(const std::string& path) const;
  // The visible box of the file's picture; the whole square when it is not loaded.
  TexelBox visibleBox(const std::string& path) const;
  // Loads the files and packs those that load into one texture, which quads
  // made from them afterwards draw from (see TexturePack); files packed, or
  // tried, before stay as they are.
  void pack(const std::vector<std::string>& paths);
  // Where a pack holds the file's picture; texture 0 when none does.
  PackedPlace packedPlace(const std::string& path) const;

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
  DecodedPicture decoded(const std::string& path, unsigned options);

  PathCache<unsigned> textures_;                             // GL texture names by file
  std::map<std::string, FileStamp> failures_;               // files whose latest load failed
  std::set<std::string> opaque_;                            // files whose pictures have no see-through pixel
  std::map<std::string, TexelBox> visible_;                 // loaded files' visible boxes
  std::map<std::string, PackedPlace> packed_;               // packed files' places
  struct Prefetched {
    unsigned options;
    std::future<DecodedPicture> picture;
  };
  std::map<std::string, Prefetched> prefetched_;  // decoding, or decoded and not yet uploaded
  std::vector<std::future<void>> workers_;        // each decodes its files in turn
  size_t pictureBytesLeft_;  // RGBA bytes more pictures may take; only ever shrinks
};

class QuadBuilder {
 public:
  static QuadBuilder& instance();

  // Display lists drawing a unit square centred at (centreX, centreY) in
  // z = 0, bound to the file's texture: two of them, the first trimmed to the
  // picture's visible box and drawn from its pack if it has one, the second
  // whole, from its own texture. Without a path they bind nothing
  // and draw with the texture bound at replay; for a file that fails they draw
  // nothing. Quads alike (the same picture and centre) share their lists, so a
  // crowd of victims holds one set: each makeQuadList is matched by one
  // deleteQuad, and the lists go with the last. Draw with drawQuad.
  unsigned makeQuadList(const char* path, float centreX, float centreY);
  void draw(unsigned list);
  void remove(unsigned list);

 private:
  struct Alike {
    unsigned texture;  // 0: none bound, or the picture failed
    bool failed;
    float centreX, centreY;
    auto operator<=>(const Alike&) const = default;
  };
  struct Quad {
    Alike alike;
    int users;
    // The whole quad is compiled the first time it is drawn: only a drawing
    // with the fill shortcuts off replays it.
    bool wholeCompiled;
  };
  std::map<Alike, unsigned> lists_;           // the trimmed list's name, by what it draws
  std::unordered_map<unsigned, Quad> quads_;  // by the trimmed list's name
};

// Replays a quad from makeQuadList: trimmed, unless the fill shortcuts are off.
void drawQuad(unsigned list);
void deleteQuad(unsigned list);
