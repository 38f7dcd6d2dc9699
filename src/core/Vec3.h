// Vec3: three floats with value semantics; positions, Euler angles in degrees,
// offsets and walk targets in the z-up world.
#pragma once

struct Vec3 {
  float x = 0, y = 0, z = 0;

  Vec3() = default;
  Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  // Scales to unit length unless the vector is zero; reports the old length.
  Vec3& normalize(float* outLength = nullptr);

  static Vec3 add(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  static Vec3 subtract(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  static Vec3 scaled(const Vec3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }

  // Exact comparison: the walk rule tests whether a constraint moved a point at all.
  friend bool operator==(const Vec3& a, const Vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
};
