// VictimCrowd: owns every victim, resolves stomps (nearest walking victim,
// squash and fling), updates and draws them, and caps the corpses kept.
#pragma once

#include <memory>
#include <vector>

#include "objects/Victim.h"

class VictimCrowd {
 public:
  static constexpr int kMaxCorpses = 120;

  // Packs the victims' pictures and loads one throw-away victim, so that
  // spawning a wave reads no image file and draws from one texture.
  void preloadTextures();
  // Takes ownership; null is ignored.
  void add(std::unique_ptr<Victim> victim);

  void update(float dt);
  // Moves this frame's squashed victims to the corpses and drops the oldest beyond the cap.
  void sweep();
  void drawGround();
  void drawBodies();

  // Only walking victims are ever targeted; the earlier one wins a tie.
  Victim* nearestWalking(const Vec3& point);
  std::vector<Victim*> walkingWithin(const Vec3& point, float radius);
  // Every walking victim, in the order added.
  std::vector<Victim*> walking();
  // Squashes the walking victims within innerRadius, flings the other walking
  // ones within outerRadius, and returns the number squashed.
  int squash(const Vec3& point, float innerRadius, float outerRadius);
  // Walking or flung.
  int countActive();

  const std::vector<std::unique_ptr<Victim>>& live() const { return live_; }
  const std::vector<std::unique_ptr<Victim>>& corpses() const { return corpses_; }
  // Corpses dropped beyond the cap so far, oldest first: the first corpse kept is the one after them.
  size_t corpsesDropped() const { return corpsesDropped_; }

 private:
  std::vector<std::unique_ptr<Victim>> live_;     // walking or flung (and squashed until the next sweep), in order added
  std::vector<std::unique_ptr<Victim>> corpses_;  // squashed, oldest first; at most kMaxCorpses after a sweep
  size_t corpsesDropped_ = 0;
};

extern VictimCrowd victimCrowd;
