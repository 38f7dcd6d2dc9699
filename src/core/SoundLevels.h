// Sound levels shared by the generators that master the effects and the tests
// that check them; full scale is 1.
#pragma once

namespace levels {

// Every effect is mastered to this peak (-6 dBFS), so several at once over the
// music leave the mix's limiter little to do, while a single squish still
// stands well above the music.
constexpr float kEffectPeak = 0.5f;

}  // namespace levels
