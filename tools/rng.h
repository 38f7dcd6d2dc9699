// Small seeded generator so every run of a generator gives the same files.
#pragma once

#include <cstdint>

class Rng {
 public:
  explicit Rng(uint64_t seed) : state(seed) {}

  uint64_t next() {  // splitmix64
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }  // [0, 1)
  float range(float lo, float hi) { return float(lo + (hi - lo) * unit()); }
  int below(int n) { return int(next() % uint64_t(n)); }

 private:
  uint64_t state;
};
