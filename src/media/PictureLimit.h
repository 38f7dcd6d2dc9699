// What pictures may take, whatever their files claim: a side no longer than the
// renderer's largest texture and never over kMaxPictureSide, and all pictures
// together no more than kMaxPictureBytes. The game draws nothing larger than its
// window, and its own pictures take 18 MB in all.
#pragma once

#include <cstddef>

constexpr int kMaxPictureSide = 4096;                  // pixels, on either side
constexpr size_t kMaxPictureBytes = size_t{128} << 20;  // RGBA bytes of every picture loaded, together

// Bytes of a picture's pixels as RGBA.
constexpr size_t pictureBytes(int width, int height) { return static_cast<size_t>(width) * height * 4; }
