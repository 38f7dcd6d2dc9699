#include "core/Vec3.h"

#include <cmath>

Vec3& Vec3::normalize(float* outLength) {
  float length = std::sqrt(x * x + y * y + z * z);
  if (outLength) *outLength = length;
  if (length != 0) {
    float inverse = 1.0f / length;
    x *= inverse;
    y *= inverse;
    z *= inverse;
  }
  return *this;
}
