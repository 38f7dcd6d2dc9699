// VictimCrowd: owns every victim, resolves stomps (nearest walking victim,
// squash and fling), updates and draws them, and caps the corpses kept.
#pragma once

class VictimCrowd {
 public:
  void preloadTextures();
  void update(float dt);
  void drawGround();
  void drawBodies();
};

extern VictimCrowd victimCrowd;
