#include "objects/Victim.h"

#include <GL/gl.h>

#include <cmath>

#include "core/Assets.h"
#include "core/Random.h"
#include "core/Sprites.h"
#include "media/Texture.h"
#include "objects/Arena.h"
#include "objects/Billboard.h"
#include "render/Render.h"

namespace {

constexpr float kGravity = 30;           // units per second squared
constexpr float kFlingMinSpeed = 5;      // units per second upward
constexpr float kFlingMaxSpeed = 20;
constexpr float kFlingStartHeight = 0.5f;
constexpr float kTumbleRate = 720;       // degrees per second per unit of variation off 0.5
constexpr float kFlapRate = 30;          // radians per second per unit of (variation + 0.5)
constexpr float kVictimShadowAlpha = 0.75f;
constexpr float kShadowSize = 1.5f;      // units

// Walking speed 1.5 to 5.5 units per second, by variation.
float walkSpeed(float variation) { return (variation - 0.5f) * 4 + 3.5f; }
// Splatter width 1 to 5 units, by variation.
float splatterSize(float variation) { return (variation - 0.5f) * 4 + 3; }

struct Limb {
  float tx, ty, tz;     // offset from the feet
  float swingFactor;    // degrees about y per unit of swing
  float swingBase;      // degrees about y
  float sx, sz;         // quad size
  unsigned Victim::*list;
};

}  // namespace

Victim::Victim() : variation_(randomRange(0, 1)) {
  state_ = Inactive;
  stateTime_ = 0;
}

Victim::~Victim() {
  for (unsigned list : displayLists()) deleteQuad(list);
}

std::array<unsigned, 5> Victim::displayLists() const {
  return {headList_, bodyList_, armList_, shadowList_, splatterList_};
}

void Victim::load() {
  QuadBuilder& quads = QuadBuilder::instance();
  headList_ = quads.makeQuadList(assets::kVictimHead, 0, sprite::kHead.centreY);
  bodyList_ = quads.makeQuadList(assets::kVictimBody, 0, sprite::kBody.centreY);
  armList_ = quads.makeQuadList(assets::kVictimArm, 0, sprite::kArm.centreY);
  shadowList_ = quads.makeQuadList(assets::kShadow, 0, 0);
  splatterList_ = quads.makeQuadList(assets::kSplatter, 0, 0);
  setState(Walking);
}

void Victim::setState(int s) {
  if (s == state()) return;
  state_ = s;
  stateTime_ = 0;
  if (s == Walking) {
    target_ = arena.randomWalkPoint();
    verticalSpeed_ = 0;
    position().z = 0;
    tumble() = 0;
  } else if (s == Flung) {
    verticalSpeed_ = randomRange(kFlingMinSpeed, kFlingMaxSpeed);
    position().z = kFlingStartHeight;
  }
}

float Victim::splatterReach() const { return splatterSize(variation_) * std::sqrt(0.5f); }

bool Victim::isUpright() { return state() == Walking || state() == Flung; }

void Victim::update(float dt) {
  age_ += dt;
  stateTime_ += dt;
  switch (state()) {
    case Walking: walk(dt); break;
    case Flung: fly(dt); break;
    default: break;  // inactive or squashed: lies still
  }
}

void Victim::walk(float dt) {
  Vec3 dir = Vec3::subtract(target_, position());
  float distance = 0;
  dir.normalize(&distance);
  float step = walkSpeed(variation_) * dt;
  if (step > distance) {  // within one step of the target: stop and turn to a new one
    target_ = arena.randomWalkPoint();
    return;
  }
  Vec3 p = Vec3::add(position(), Vec3::scaled(dir, step));
  Vec3 q = arena.constrainToWalkArea(p);
  if (!(q == p)) {  // ran into an edge: stop on it and head elsewhere
    target_ = arena.randomWalkPoint();
    p = q;
  }
  setPosition(p);
}

void Victim::fly(float dt) {
  // Constant gravity, integrated exactly over the step; x and y stay put.
  float dv = -kGravity * dt;
  float dz = verticalSpeed_ * dt + dv * dt * 0.5f;
  verticalSpeed_ += dv;
  position().z += dz;
  tumble() = (variation_ - 0.5f) * stateTime_ * kTumbleRate;
  if (position().z <= 0) {
    position().z = 0;
    tumble() = 0;
    setState(Walking);
  }
}

void Victim::drawGround() {
  const Vec3& p = position();
  if (isUpright()) {
    setColor(1, 1, 1, kVictimShadowAlpha);
    pushMatrix();
    translate(p.x, p.y, 0);  // stays on the floor under a flung victim
    scale(kShadowSize, kShadowSize, 1);
    drawQuad(shadowList_);
    popMatrix();
  } else if (state() == Squashed) {
    setColor(1, 1, 1, 1);
    pushMatrix();
    translate(p.x, p.y, p.z);
    float s = splatterSize(variation_);
    scale(s, s, 1);
    rotate(variation_ * 360, 0, 0, 1);
    drawQuad(splatterList_);
    popMatrix();
  }
}

void Victim::draw() {
  if (!isUpright()) return;
  // Arms first, then body, then head: the later quads sit nearer the camera and cover the earlier.
  static const Limb kLimbs[] = {
      {0, 0.02f, sprite::kShoulderHeight, 15, -70, sprite::kFirstArmSize, sprite::kFirstArmSize, &Victim::armList_},
      {0, 0.02f, sprite::kShoulderHeight, -15, 70, sprite::kSecondArmSize, sprite::kSecondArmSize, &Victim::armList_},
      {0, 0.02f, 0, 5, 0, sprite::kBody.width, sprite::kBody.height, &Victim::bodyList_},
  };
  float swing = std::sin((variation_ + 0.5f) * age_ * kFlapRate);
  setColor(1, 1, 1, 1);
  pushMatrix();
  faceCamera(position());
  rotate(tumble(), 0, 1, 0);
  for (const Limb& limb : kLimbs) {
    pushMatrix();
    translate(limb.tx, limb.ty, limb.tz);
    rotate(limb.swingFactor * swing + limb.swingBase, 0, 1, 0);
    drawStanding(this->*limb.list, limb.sx, limb.sz);
    popMatrix();
  }
  pushMatrix();
  translate(0, 0, sprite::kHeadHeight);
  drawStanding(headList_, sprite::kHead.width, sprite::kHead.height);
  popMatrix();
  popMatrix();
}
