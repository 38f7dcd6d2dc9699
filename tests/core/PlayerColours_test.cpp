// The players' colours stay apart for everyone: compared in CIELAB as people
// with normal sight and with each common colour-vision deficiency (protanopia,
// deuteranopia, tritanopia, simulated at full severity) see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "core/PlayerColours.h"

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
using Triple = std::array<double, 3>;

// Colour-vision deficiency simulation in linear RGB (Machado, Oliveira and Fernandes 2009, severity 1).
const Matrix kSights[] = {
    {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
    {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}},
    {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}},
    {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}},
};
// Far past the point where two colours read as different at a glance (about 10).
constexpr double kApart = 25;

double linear(uint8_t c) {
  double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

Triple lab(const Triple& rgb) {
  double x = 0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2];
  double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
  double z = 0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2];
  auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  double fx = f(x / 0.95047), fy = f(y), fz = f(z / 1.08883);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Triple seen(const assets::Rgb8& colour, const Matrix& sight) {
  Triple in = {linear(colour.r), linear(colour.g), linear(colour.b)}, out{};
  for (int i = 0; i < 3; ++i) out[i] = std::clamp(sight[i][0] * in[0] + sight[i][1] * in[1] + sight[i][2] * in[2], 0.0, 1.0);
  return lab(out);
}

TEST(PlayerColours, EveryTwoStayApartForEveryCommonSight) {
  for (size_t s = 0; s < std::size(kSights); ++s)
    for (int a = 0; a < players::kMaxPlayers; ++a)
      for (int b = a + 1; b < players::kMaxPlayers; ++b) {
        Triple x = seen(players::kColours[a], kSights[s]), y = seen(players::kColours[b], kSights[s]);
        double distance = std::hypot(x[0] - y[0], x[1] - y[1], x[2] - y[2]);
        EXPECT_GT(distance, kApart) << "players " << a + 1 << " and " << b + 1 << ", sight " << s;
      }
}

}  // namespace
