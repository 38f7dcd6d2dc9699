#include "media/TexturePack.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "media/PictureLimit.h"
#include "render/Render.h"

namespace {

constexpr int kBorder = 1;  // texels round each picture: as far as linear filtering reaches past an edge

struct Picture {
  int width = 0, height = 0;  // texels
  std::vector<uint8_t> rgba;
};

Picture sizeOf(unsigned texture) {
  Picture picture;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &picture.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &picture.height);
  return picture;
}

Picture readBack(unsigned texture) {
  Picture picture = sizeOf(texture);
  picture.rgba.resize(static_cast<size_t>(picture.width) * picture.height * 4);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
  glPopClientAttrib();
  return picture;
}

// The picture with its border, its top-left texel at (x, y) of the pack; the
// border repeats the nearest edge texel, as clamping to the edge samples it.
void copyInto(std::vector<uint8_t>& pack, int packWidth, const Picture& picture, int x, int y) {
  for (int row = -kBorder; row < picture.height + kBorder; ++row)
    for (int col = -kBorder; col < picture.width + kBorder; ++col) {
      int fromRow = std::clamp(row, 0, picture.height - 1), fromCol = std::clamp(col, 0, picture.width - 1);
      const uint8_t* from = &picture.rgba[(static_cast<size_t>(fromRow) * picture.width + fromCol) * 4];
      std::copy_n(from, 4, &pack[(static_cast<size_t>(y + row) * packWidth + x + col) * 4]);
    }
}

}  // namespace

std::vector<PackedPlace> packTextures(const std::vector<unsigned>& textures, size_t bytesLeft, int largestSide) {
  std::vector<PackedPlace> places;
  int width = 0, height = 0;  // texels
  for (unsigned texture : textures) {
    Picture size = sizeOf(texture);
    places.push_back({0, kBorder, height + kBorder, size.width, size.height, 0, 0});
    width = std::max(width, size.width + 2 * kBorder);
    height += size.height + 2 * kBorder;
  }
  if (places.empty() || width > largestSide || height > largestSide) return {};
  size_t bytes = pictureBytes(width, height);
  if (bytes > bytesLeft) return {};

  // Read back one at a time: besides the pack, one picture's copy at most.
  std::vector<uint8_t> rgba(bytes, 0);
  for (size_t i = 0; i < places.size(); ++i) copyInto(rgba, width, readBack(textures[i]), places[i].x, places[i].y);
  unsigned texture = newTexture(width, height, rgba.data());
  for (PackedPlace& place : places) {
    place.texture = texture;
    place.packWidth = width;
    place.packHeight = height;
  }
  return places;
}
