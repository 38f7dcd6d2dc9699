// The game's one random sequence (srand/rand, seeded from the clock on first
// draw) and the small scalar helpers every scene object uses.
#pragma once

// 0..n-1, or 0 when n <= 0.
int randomInt(int n);
// a + k * 0.0001 * (b - a) for k in 0..9999: never reaches b.
float randomRange(float a, float b);

void clampValue(float& v, float lo, float hi);
float degToRad(float degrees);
// Result in [0, 360).
float wrapDegrees(float degrees);
