#include "objects/VictimCrowd.h"

#include "core/Assets.h"
#include "media/Texture.h"
#include "objects/FloorDecals.h"
#include "render/Render.h"

VictimCrowd victimCrowd;

namespace {

constexpr float kFarAway = 1e10f;  // squared distance beyond which no victim is ever the nearest

}  // namespace

void VictimCrowd::preloadTextures() {
  // Arms, body and head are drawn one after another: from one texture.
  TextureRegistry::instance().pack({assets::kVictimArm, assets::kVictimBody, assets::kVictimHead});
  Victim warmUp;
  warmUp.load();
}

void VictimCrowd::add(std::unique_ptr<Victim> victim) {
  if (victim) live_.push_back(std::move(victim));
}

void VictimCrowd::update(float dt) {
  for (auto& victim : live_) victim->update(dt);
  sweep();
}

void VictimCrowd::sweep() {
  std::vector<std::unique_ptr<Victim>> stillLive;
  stillLive.reserve(live_.size());
  for (auto& victim : live_) {
    if (victim->state() == Victim::Squashed)
      corpses_.push_back(std::move(victim));
    else
      stillLive.push_back(std::move(victim));
  }
  live_ = std::move(stillLive);
  if (corpses_.size() <= kMaxCorpses) return;
  corpsesDropped_ += corpses_.size() - kMaxCorpses;
  corpses_.erase(corpses_.begin(), corpses_.end() - kMaxCorpses);
}

void VictimCrowd::drawGround() {
  markPass(passes::kSplatter);
  setTexturing(true, true);
  setDepthTest(false);
  size_t baked = floorDecals.bakedCount(*this);  // drawn into the floor already, but for what hangs past its edge
  floorDecals.drawOverhangs(*this);
  for (size_t i = baked; i < corpses_.size(); ++i) corpses_[i]->drawGround();
  markPass(passes::kShadows);
  for (auto& victim : live_) victim->drawGround();
}

void VictimCrowd::drawBodies() {
  markPass(passes::kVictims);
  setTexturing(true, true);
  setDepthTest(true);
  for (auto& victim : live_) victim->draw();
}

Victim* VictimCrowd::nearestWalking(const Vec3& point) {
  Victim* best = nullptr;
  float bestDistance = kFarAway;
  for (auto& victim : live_) {
    if (victim->state() != Victim::Walking) continue;
    float d = victim->distanceSquaredTo(point);
    if (d < bestDistance) {
      best = victim.get();
      bestDistance = d;
    }
  }
  return best;
}

std::vector<Victim*> VictimCrowd::walkingWithin(const Vec3& point, float radius) {
  std::vector<Victim*> found;
  for (auto& victim : live_)
    if (victim->state() == Victim::Walking && victim->isWithin(point, radius)) found.push_back(victim.get());
  return found;
}

std::vector<Victim*> VictimCrowd::walking() {
  std::vector<Victim*> found;
  for (auto& victim : live_)
    if (victim->state() == Victim::Walking) found.push_back(victim.get());
  return found;
}

int VictimCrowd::squash(const Vec3& point, float innerRadius, float outerRadius) {
  std::vector<Victim*> squashed = walkingWithin(point, innerRadius);
  for (Victim* victim : squashed) victim->setState(Victim::Squashed);
  // The squashed are no longer walking, so this finds only the ring around them.
  for (Victim* victim : walkingWithin(point, outerRadius)) victim->setState(Victim::Flung);
  return static_cast<int>(squashed.size());
}

int VictimCrowd::countActive() {
  int count = 0;
  for (auto& victim : live_)
    if (victim->isUpright()) ++count;
  return count;
}
