// Each player's colour: their feet, score block, indicator and name on the
// slides' strip and the results. Coral, teal, gold and violet, far enough apart
// to stay distinguishable with the common colour-vision deficiencies.
#pragma once

#include "core/Assets.h"

namespace players {

constexpr int kMaxPlayers = 4;
constexpr assets::Rgb8 kColours[kMaxPlayers] = {
    {230, 90, 60},    // player 1, coral
    {20, 170, 160},   // player 2, teal
    {250, 210, 50},   // player 3, gold
    {160, 110, 240},  // player 4, violet
};

}  // namespace players
