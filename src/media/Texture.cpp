#include "media/Texture.h"

#include <GL/gl.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "core/Log.h"
#include "media/MipmapScale.h"
#include "media/PngImage.h"
#include "media/TgaImage.h"
#include "render/Render.h"

namespace {

// The largest side, in pixels, of a texture this renderer takes.
int largestTextureSide() {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  return largest;
}

// The largest side, in pixels, of a picture this renderer can take as a texture.
int pictureSideLimit() { return std::min(largestTextureSide(), kMaxPictureSide); }

// Every pixel's alpha is full: nothing shows through the picture anywhere.
bool allOpaque(const std::vector<uint8_t>& rgba) {
  for (size_t i = 3; i < rgba.size(); i += 4)
    if (rgba[i] != 255) return false;
  return true;
}

DecodedPicture decodeTga(const char* path, unsigned options, int sideLimit, size_t bytesLeft) {
  TgaImage image;
  if (!image.load(path, options & bottomRowFirst, sideLimit, bytesLeft) || image.bits != 32) return {};
  const uint8_t* pixels = image.pixels;
  DecodedPicture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.rgba.assign(pixels, pixels + pictureBytes(image.width, image.height));
  return picture;
}

DecodedPicture decodePng(const char* path, unsigned options, int sideLimit, size_t bytesLeft) {
  PngImage image;
  if (!image.load(path, options & bottomRowFirst, sideLimit, bytesLeft)) return {};
  DecodedPicture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.rgba = std::move(image.rgba);
  picture.roundSides = true;
  return picture;
}

// The extension runs from the last '.' of the whole path; none when there is no '.'.
bool hasExtension(const std::string& path, const char* extension) {
  size_t dot = path.rfind('.');
  return dot != std::string::npos && strcasecmp(path.c_str() + dot, extension) == 0;
}

DecodedPicture decodeFile(const std::string& path, unsigned options, int sideLimit, size_t bytesLeft) {
  if (hasExtension(path, ".tga")) return decodeTga(path.c_str(), options, sideLimit, bytesLeft);
  if (hasExtension(path, ".png")) return decodePng(path.c_str(), options, sideLimit, bytesLeft);
  return {};
}

// The picture as it will be sampled: a PNG with a side that is not a power of
// two rescaled as the mipmap builder did. Reads no GL state.
void roundSides(DecodedPicture& picture) {
  int width = mipmapSide(picture.width), height = mipmapSide(picture.height);
  if (!picture.roundSides || (width == picture.width && height == picture.height)) return;
  picture.rgba = scaleAsMipmapBuilder(picture.rgba, picture.width, picture.height, width, height);
  picture.width = width;
  picture.height = height;
}

// Reads no GL state: a worker thread may run it. The bytes are counted as the file's own pixels.
DecodedPicture decode(const std::string& path, unsigned options, int sideLimit, size_t bytesLeft) {
  DecodedPicture picture = decodeFile(path, options, sideLimit, bytesLeft);
  picture.bytes = pictureBytes(picture.width, picture.height);
  roundSides(picture);
  picture.opaque = allOpaque(picture.rgba);
  picture.visible = visibleBox(picture.rgba.data(), picture.width, picture.height);
  return picture;
}

unsigned upload(const DecodedPicture& picture, unsigned options) {
  return newTexture(picture.width, picture.height, picture.rgba.data(), options & repeatWrap);
}

// One column or row bound of the visible texels, grown by a texel, as a fraction.
float edge(int texel, int side) { return static_cast<float>(std::clamp(texel, 0, side)) / side; }

}  // namespace

TexelBox visibleBox(const uint8_t* rgba, int width, int height) {
  int left = width, right = -1, top = height, bottom = -1;  // texels, inclusive; t = 0 is row 0
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (rgba[(static_cast<size_t>(y) * width + x) * 4 + 3] == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  if (right < 0) return {};
  return {edge(left - 1, width), edge(top - 1, height), edge(right + 2, width), edge(bottom + 2, height)};
}

TextureRegistry& TextureRegistry::instance() {
  static TextureRegistry* registry = new TextureRegistry;  // lives until the process ends
  return *registry;
}

TextureRegistry::~TextureRegistry() {
  for (auto& worker : workers_) worker.wait();  // no worker outlives the registry
}

void TextureRegistry::prefetch(const std::vector<std::string>& paths, unsigned options) {
  auto jobs = std::make_shared<std::vector<std::pair<std::string, std::promise<DecodedPicture>>>>();
  jobs->reserve(paths.size());
  for (const std::string& path : paths) {
    if (find(path) || prefetched_.contains(path)) continue;
    jobs->emplace_back(path, std::promise<DecodedPicture>{});
    prefetched_.emplace(path, Prefetched{options, jobs->back().second.get_future()});
  }
  if (jobs->empty()) return;
  // The pictures decoded ahead wait together for their upload: together they
  // keep to the bytes left, as they would loaded one by one.
  auto decodeInTurn = [jobs, options, bytesLeft = pictureBytesLeft_]() mutable {
    for (auto& [path, promise] : *jobs) {
      try {
        DecodedPicture picture = decode(path, options, kMaxPictureSide, bytesLeft);
        bytesLeft -= std::min(bytesLeft, picture.bytes);
        promise.set_value(std::move(picture));
      } catch (...) {
        promise.set_exception(std::current_exception());
      }
    }
  };
  workers_.push_back(std::async(std::launch::async, std::move(decodeInTurn)));
}

DecodedPicture TextureRegistry::decoded(const std::string& path, unsigned options) {
  auto ahead = prefetched_.find(path);
  if (ahead == prefetched_.end()) return decode(path, options, pictureSideLimit(), pictureBytesLeft_);
  Prefetched prefetched = std::move(ahead->second);
  prefetched_.erase(ahead);
  DecodedPicture picture = prefetched.picture.get();
  if (prefetched.options != options) return decode(path, options, pictureSideLimit(), pictureBytesLeft_);
  if (std::max(picture.width, picture.height) > largestTextureSide()) return {};  // decoded before GL was asked
  if (picture.bytes > pictureBytesLeft_) return {};  // others took the bytes meanwhile
  return picture;
}

unsigned TextureRegistry::getTexture(const std::string& path, unsigned options) {
  if (unsigned cached = find(path)) return cached;
  FileStamp stamp = stampOf(path);
  auto failed = failures_.find(path);
  if (failed != failures_.end() && failed->second == stamp) return 0;  // still the file that failed
  logTrace("\nLoading texture %s...", path.c_str());
  DecodedPicture picture = decoded(path, options);
  unsigned texture = 0;
  if (!picture.rgba.empty()) {
    pictureBytesLeft_ -= picture.bytes;
    texture = upload(picture, options);
    if (picture.opaque) opaque_.insert(path);
    visible_[path] = picture.visible;
  }
  add(path, texture);
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

TexelBox TextureRegistry::visibleBox(const std::string& path) const {
  auto box = visible_.find(path);
  return box == visible_.end() ? TexelBox{} : box->second;
}

void TextureRegistry::pack(const std::vector<std::string>& paths) {
  std::vector<std::string> loaded;
  std::vector<unsigned> textures;
  for (const std::string& path : paths) {
    unsigned texture = getTexture(path, 0);
    if (!texture || packed_.contains(path)) continue;
    loaded.push_back(path);
    textures.push_back(texture);
  }
  if (textures.size() < 2) return;  // one picture changes no texture
  // A pack copies its pictures: it takes from their budget too.
  std::vector<PackedPlace> places = packTextures(textures, pictureBytesLeft_, largestTextureSide());
  if (!places.empty()) pictureBytesLeft_ -= pictureBytes(places[0].packWidth, places[0].packHeight);
  places.resize(loaded.size());  // those that did not fit are placed nowhere, and not tried again
  for (size_t i = 0; i < places.size(); ++i) packed_[loaded[i]] = places[i];
}

PackedPlace TextureRegistry::packedPlace(const std::string& path) const {
  auto place = packed_.find(path);
  return place == packed_.end() ? PackedPlace{} : place->second;
}

QuadBuilder& QuadBuilder::instance() {
  static QuadBuilder builder;
  return builder;
}

namespace {

// The square's part within the box, counter-clockwise from the bottom left,
// sampling the texture at the corners given (t = 0 is the top edge, so
// top-row-first pictures stand upright).
void compileQuad(unsigned list, unsigned texture, const TexelBox& box, const TexelBox& texels, float centreX,
                 float centreY) {
  glNewList(list, GL_COMPILE);
  if (texture) bindTexture(texture);
  float left = centreX - 0.5f, top = centreY + 0.5f;
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glTexCoord2f(texels.s0, texels.t1);
  glVertex2f(left + box.s0, top - box.t1);
  glTexCoord2f(texels.s1, texels.t1);
  glVertex2f(left + box.s1, top - box.t1);
  glTexCoord2f(texels.s1, texels.t0);
  glVertex2f(left + box.s1, top - box.t0);
  glTexCoord2f(texels.s0, texels.t0);
  glVertex2f(left + box.s0, top - box.t0);
  glEnd();
  glEndList();
}

// The trimmed quad: from the picture's pack, where it has one.
void compileTrimmed(unsigned list, const char* path, unsigned texture, float centreX, float centreY) {
  TextureRegistry& registry = TextureRegistry::instance();
  TexelBox visible = path ? registry.visibleBox(path) : TexelBox{};
  PackedPlace place = path ? registry.packedPlace(path) : PackedPlace{};
  if (!place.texture) return compileQuad(list, texture, visible, visible, centreX, centreY);
  TexelBox packed{place.s(visible.s0), place.t(visible.t0), place.s(visible.s1), place.t(visible.t1)};
  compileQuad(list, place.texture, visible, packed, centreX, centreY);
}

}  // namespace

unsigned QuadBuilder::makeQuadList(const char* path, float centreX, float centreY) {
  unsigned texture = path ? TextureRegistry::instance().getTexture(path, 0) : 0;
  Alike alike{texture, path && !texture, centreX, centreY};
  auto [found, isNew] = lists_.try_emplace(alike, 0);
  if (!isNew) {
    ++quads_.at(found->second).users;
    return found->second;
  }
  unsigned lists = glGenLists(2);
  found->second = lists;
  quads_[lists] = {alike, 1, alike.failed};
  // A picture that failed to load is simply missing: its lists draw nothing,
  // rather than showing whatever texture another pass left bound.
  if (alike.failed) {
    for (unsigned list : {lists, lists + 1}) {
      glNewList(list, GL_COMPILE);
      glEndList();
    }
    return lists;
  }
  compileTrimmed(lists, path, texture, centreX, centreY);
  return lists;
}

void QuadBuilder::draw(unsigned list) {
  if (fillShortcutAllowed(FillShortcut::PackedSprites)) return callList(list);
  auto quad = quads_.find(list);
  if (quad != quads_.end() && !quad->second.wholeCompiled) {
    const Alike& alike = quad->second.alike;
    compileQuad(list + 1, alike.texture, TexelBox{}, TexelBox{}, alike.centreX, alike.centreY);
    quad->second.wholeCompiled = true;
  }
  callList(list + 1);
}

void QuadBuilder::remove(unsigned list) {
  auto quad = quads_.find(list);
  if (quad == quads_.end() || --quad->second.users > 0) return;
  lists_.erase(quad->second.alike);
  quads_.erase(quad);
  glDeleteLists(list, 2);
}

void drawQuad(unsigned list) { QuadBuilder::instance().draw(list); }
void deleteQuad(unsigned list) { QuadBuilder::instance().remove(list); }
