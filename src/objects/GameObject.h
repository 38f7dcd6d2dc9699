// GameObject: the base of everything in the 3D scene. Carries the transform
// vectors, a small integer state with its clock, and the object's age, and
// fixes the per-frame contract: update(dt), then drawGround (decals on the
// floor, depth test off) and draw (upright bodies, depth test on).
#pragma once

#include "core/Rect.h"
#include "core/Vec3.h"

class GameObject {
 public:
  virtual ~GameObject() = default;
  virtual GameObject* self() { return this; }

  virtual void update(float dt) = 0;
  virtual void drawGround() {}
  virtual void draw() = 0;
  virtual void extraHook() {}

  virtual Vec3& position() { return position_; }
  virtual Vec3& setPosition(const Vec3& p) { return position_ = p; }
  virtual Vec3 positionCopy() { return position_; }
  virtual float unitFactorA() { return 1.0f; }
  virtual float unitFactorB() { return 1.0f; }

  virtual float rotationX() { return rotation_.x; }
  virtual float rotationY() { return rotation_.y; }
  virtual float rotationZ() { return rotation_.z; }
  virtual void setRotationX(float v) { rotation_.x = v; }
  virtual void setRotationY(float v) { rotation_.y = v; }
  virtual void setRotationZ(float v) { rotation_.z = v; }
  virtual Vec3& rotation() { return rotation_; }
  virtual void setRotation(float x, float y, float z) { rotation_ = {x, y, z}; }
  virtual Vec3& setRotation(const Vec3& r) { return rotation_ = r; }

  virtual float auxiliaryX() { return auxiliary_.x; }
  virtual float auxiliaryY() { return auxiliary_.y; }
  virtual float auxiliaryZ() { return auxiliary_.z; }
  virtual void setAuxiliaryX(float v) { auxiliary_.x = v; }
  virtual void setAuxiliaryY(float v) { auxiliary_.y = v; }
  virtual void setAuxiliaryZ(float v) { auxiliary_.z = v; }
  virtual Vec3& auxiliary() { return auxiliary_; }
  virtual void setAuxiliary(float x, float y, float z) { auxiliary_ = {x, y, z}; }
  virtual Vec3& setAuxiliary(const Vec3& a) { return auxiliary_ = a; }

  virtual float parameter() { return parameter_; }
  virtual void setParameter(float v) { parameter_ = v; }

  virtual void setState(int s) {
    state_ = s;
    stateTime_ = 0;
  }
  virtual int state() { return state_; }

  virtual float distanceTo(const Vec3& p) { return sqrtOf(distanceSquaredTo(p)); }
  virtual float distanceTo(GameObject& o) { return sqrtOf(distanceSquaredTo(o)); }
  // Over all three axes: an airborne object is far from a point on the floor.
  virtual float distanceSquaredTo(const Vec3& p) {
    Vec3 d = Vec3::subtract(p, position_);
    return d.x * d.x + d.y * d.y + d.z * d.z;
  }
  virtual float distanceSquaredTo(GameObject& o) { return distanceSquaredTo(o.position()); }
  // A point at exactly r counts as within.
  virtual bool isWithin(const Vec3& p, float r) { return !(r * r < distanceSquaredTo(p)); }
  // Every bound inclusive.
  virtual bool isInsideBox(const Vec3& min, const Vec3& max) {
    const Vec3& p = position_;
    return Rect{min.x, min.y, max.x, max.y}.contains(p.x, p.y) && min.z <= p.z && p.z <= max.z;
  }

  float stateTime() const { return stateTime_; }
  float age() const { return age_; }

 protected:
  static float sqrtOf(float v);

  Vec3 position_;        // world position
  Vec3 rotation_;        // Euler degrees about x, y, z; camera: x pitch, z heading
  Vec3 auxiliary_;       // free vector with accessors; unused by the game
  Vec3 positionOffset_;  // camera: z is the shake offset added to its height
  Vec3 reserved_;        // unused
  Vec3 rotationOffset_;  // victim: y is the tumble angle in degrees
  float parameter_ = 0;  // free number; unused by the game
  int state_ = -1;       // subclass-defined; -1 = never set, 0 = inactive
  float stateTime_ = 0;  // seconds since the last setState
  float age_ = 0;        // seconds since construction (kept by subclasses that age)
};
