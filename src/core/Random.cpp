#include "core/Random.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

bool seedPending = true;  // the first draw of the run seeds from the clock

void seedOnce() {
  if (!seedPending) return;
  seedPending = false;
  std::srand(static_cast<unsigned>(std::time(nullptr)));
}

}  // namespace

int randomInt(int n) {
  seedOnce();
  if (n <= 0) return 0;
  return std::rand() % n;
}

float randomRange(float a, float b) {
  seedOnce();
  int k = std::rand() % 10000;
  return a + static_cast<float>(k) * 0.0001f * (b - a);
}

void clampValue(float& v, float lo, float hi) {
  if (v < lo)
    v = lo;
  else if (v > hi)
    v = hi;
}

float degToRad(float degrees) { return degrees * 0.017453292f; }

float wrapDegrees(float degrees) {
  float r = std::fmod(degrees, 360.0f);
  return r < 0 ? r + 360.0f : r;
}
