#include "media/MipmapScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kChannels = 4;

// One output texel's box over the input along one axis: from low to high,
// each an input index and a fraction into it, as the builder steps them.
struct Span {
  int lowInt = 0;
  float lowFloat = 0;
  int highInt = 0;
  float highFloat = 0;
};

class Stepper {
 public:
  explicit Stepper(float conv) : convInt_(static_cast<int>(std::floor(conv))), convFloat_(conv - convInt_) {
    span_.highInt = convInt_;
    span_.highFloat = convFloat_;
  }
  const Span& span() const { return span_; }
  void next() {
    span_.lowInt = span_.highInt;
    span_.lowFloat = span_.highFloat;
    span_.highInt += convInt_;
    span_.highFloat += convFloat_;
    if (span_.highFloat > 1) {
      span_.highFloat -= 1.0f;
      span_.highInt++;
    }
  }
  void clampHigh(int size) { span_.highInt = std::min(span_.highInt, size - 1); }

 private:
  int convInt_;
  float convFloat_;
  Span span_;
};

// Sums one output texel's box in the builder's order: the first row, the last
// row, the first and last columns, then the body. Terms of weight 0 add
// nothing and are skipped (the builder reads them past the row's end).
class Box {
 public:
  Box(const std::vector<uint8_t>& rgba, int width) : rgba_(rgba), width_(width) {}

  std::array<float, kChannels> sum(const Span& x, const Span& y) const {
    std::array<float, kChannels> totals{};
    if (y.highInt > y.lowInt && x.highInt > x.lowInt) {
      row(totals, x, y.lowInt, 1 - y.lowFloat);
      row(totals, x, y.highInt, y.highFloat);
      for (int m = y.lowInt + 1; m < y.highInt; ++m)
        for (int k = 0; k < kChannels; ++k)
          totals[k] += at(x.lowInt, m, k) * (1 - x.lowFloat) + at(x.highInt, m, k) * x.highFloat;
    } else if (y.highInt > y.lowInt) {
      float xPercent = x.highFloat - x.lowFloat;
      add(totals, x.lowInt, y.lowInt, (1 - y.lowFloat) * xPercent);
      for (int m = y.lowInt + 1; m < y.highInt; ++m) add(totals, x.lowInt, m, xPercent);
      add(totals, x.lowInt, y.highInt, xPercent * y.highFloat);
    } else if (x.highInt > x.lowInt) {
      row(totals, x, y.lowInt, y.highFloat - y.lowFloat);
    } else {
      add(totals, x.lowInt, y.lowInt, (y.highFloat - y.lowFloat) * (x.highFloat - x.lowFloat));
    }
    for (int m = y.lowInt + 1; m < y.highInt; ++m)
      for (int l = x.lowInt + 1; l < x.highInt; ++l)
        for (int k = 0; k < kChannels; ++k) totals[k] += at(l, m, k);
    return totals;
  }

 private:
  float at(int x, int y, int k) const {
    return rgba_[(static_cast<size_t>(y) * width_ + std::min(x, width_ - 1)) * kChannels + k];
  }
  void add(std::array<float, kChannels>& totals, int x, int y, float percent) const {
    if (percent == 0) return;
    for (int k = 0; k < kChannels; ++k) totals[k] += at(x, y, k) * percent;
  }
  void row(std::array<float, kChannels>& totals, const Span& x, int y, float yPercent) const {
    add(totals, x.lowInt, y, yPercent * (1 - x.lowFloat));
    for (int l = x.lowInt + 1; l < x.highInt; ++l) add(totals, l, y, yPercent);
    add(totals, x.highInt, y, yPercent * x.highFloat);
  }

  const std::vector<uint8_t>& rgba_;
  int width_;  // texels
};

}  // namespace

int mipmapSide(int side) {
  int power = 1;
  for (; side > 3; side >>= 1) power *= 2;
  return side == 3 ? power * 4 : power * side;
}

std::vector<uint8_t> scaleAsMipmapBuilder(const std::vector<uint8_t>& rgba, int widthIn, int heightIn,
                                          int widthOut, int heightOut) {
  std::vector<uint8_t> out(static_cast<size_t>(widthOut) * heightOut * kChannels);
  float convY = static_cast<float>(heightIn) / heightOut, convX = static_cast<float>(widthIn) / widthOut;
  float area = convX * convY;
  Box box(rgba, widthIn);
  Stepper y(convY);
  for (int i = 0; i < heightOut; ++i, y.next()) {
    y.clampHigh(heightIn);
    Stepper x(convX);
    for (int j = 0; j < widthOut; ++j, x.next()) {
      std::array<float, kChannels> totals = box.sum(x.span(), y.span());
      for (int k = 0; k < kChannels; ++k)
        out[(static_cast<size_t>(i) * widthOut + j) * kChannels + k] = static_cast<uint8_t>(totals[k] / area);
    }
  }
  return out;
}
