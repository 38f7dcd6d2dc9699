// A program of another project, built against the game's top layer: a world
// over a crowd and feet of its own starts with nobody squashed.
#include "game/StompWorld.h"
#include "objects/VictimCrowd.h"
#include "objects/Foot.h"

int main() {
  VictimCrowd crowd;
  FootManager feet;
  StompWorld world(crowd, feet);
  return world.mostPerStomp() == 0 && world.lastStomp() == 0 ? 0 : 1;
}
