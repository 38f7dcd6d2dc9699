// How stomps come down on the crowd. Each press targets the walking victim
// nearest its square's centre, and lands only when that victim stands on the
// square; it squashes the walking victims around the landing point and flings
// the ones a little further out. Presses resolved together (one frame of a
// party) all see the crowd as it stood before any of them: a victim under
// several players' stomps is squashed once and counts for none of them; under
// several stomps of one player it counts for that player's first.
#pragma once

#include <vector>

#include "game/PadSquare.h"
#include "objects/VictimCrowd.h"

struct StompPress {
  int player;         // slot of the player who pressed
  PadSquare square;   // the floor square the press stomps
};

struct StompLanding {
  bool landed = false;  // a victim stood on the square: a foot comes down
  Vec3 point;           // where: the targeted victim's position
  int counted = 0;      // victims squashed that count for this stomp
};

// One landing per press, in the order of the presses.
std::vector<StompLanding> stompTogether(VictimCrowd& crowd, const std::vector<StompPress>& presses,
                                        float squashRadius, float flingRadius);
