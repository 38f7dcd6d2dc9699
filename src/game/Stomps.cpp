#include "game/Stomps.h"

namespace {

// The press whose stomp the victim counts for: the first that squashes it,
// unless another player's stomp squashes it too; -1 for none.
int creditedPress(Victim& victim, const std::vector<StompPress>& presses, const std::vector<StompLanding>& landings,
                  float radius, bool& squashed) {
  int first = -1;
  bool contested = false;
  for (size_t k = 0; k < presses.size(); ++k) {
    if (!landings[k].landed || !victim.isWithin(landings[k].point, radius)) continue;
    if (first < 0)
      first = static_cast<int>(k);
    else if (presses[k].player != presses[first].player)
      contested = true;
  }
  squashed = first >= 0;
  return contested ? -1 : first;
}

bool withinAny(Victim& victim, const std::vector<StompLanding>& landings, float radius) {
  for (const StompLanding& landing : landings)
    if (landing.landed && victim.isWithin(landing.point, radius)) return true;
  return false;
}

}  // namespace

std::vector<StompLanding> stompTogether(VictimCrowd& crowd, const std::vector<StompPress>& presses,
                                        float squashRadius, float flingRadius) {
  std::vector<StompLanding> landings(presses.size());
  for (size_t k = 0; k < presses.size(); ++k) {
    const PadSquare& q = presses[k].square;
    Victim* target = crowd.nearestWalking(q.centre());
    // The nearest walking victim must stand on the square, else the press does nothing.
    if (!target || !target->isInsideBox({q.minX, q.minY, 0}, {q.maxX, q.maxY, 0})) continue;
    landings[k] = {true, target->position(), 0};
  }
  std::vector<Victim*> walkers = crowd.walking();
  for (Victim* victim : walkers) {
    bool squashed = false;
    int credited = creditedPress(*victim, presses, landings, squashRadius, squashed);
    if (squashed) victim->setState(Victim::Squashed);
    if (credited >= 0) ++landings[credited].counted;
  }
  // The squashed are no longer walking, so this finds only the ring around them.
  for (Victim* victim : walkers)
    if (victim->state() == Victim::Walking && withinAny(*victim, landings, flingRadius)) victim->setState(Victim::Flung);
  return landings;
}
