// The largest picture any loader accepts, whatever the renderer could take: the
// game draws nothing larger than its window, and a picture of this side already
// takes 64 MB as RGBA.
#pragma once

constexpr int kMaxPictureSide = 4096;  // pixels, on either side
