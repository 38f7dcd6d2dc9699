// StompWorld: the rules of the game. Turns pad presses into stomps, scores
// them, picks the sounds, lifts feet, orbits the camera and spawns waves.
#pragma once

class StompWorld {
 public:
  static StompWorld& instance();

  void init();
  void update(float dt);
  void drawScore();
};
