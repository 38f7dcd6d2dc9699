// Victims placed by hand for the crowd and world tests.
#pragma once

#include <memory>

#include "objects/VictimCrowd.h"

namespace walkers {

// A victim walking at (x, y), added to the crowd and returned for the test to
// watch. Loaded, it also has its pictures and display lists, as a spawned one.
inline Victim* addWalker(VictimCrowd& crowd, float x, float y, bool loaded = false) {
  auto victim = std::make_unique<Victim>();
  if (loaded)
    victim->load();
  else
    victim->setState(Victim::Walking);
  victim->setPosition({x, y, 0});
  Victim* raw = victim.get();
  crowd.add(std::move(victim));
  return raw;
}

}  // namespace walkers
