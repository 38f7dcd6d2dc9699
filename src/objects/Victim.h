// Victim: one of the little cut-out characters. Walks from one random target
// to the next inside the walk area, can be flung (rises, tumbles, falls back
// and walks on), and once squashed lies on the floor as a splatter decal.
#pragma once

#include <array>

#include "objects/GameObject.h"

class Victim : public GameObject {
 public:
  enum State { Inactive = 0, Walking = 1, Flung = 2, Squashed = 3 };

  Victim();
  ~Victim() override;
  Victim(const Victim&) = delete;
  Victim& operator=(const Victim&) = delete;

  // Builds the five quads and starts walking.
  void load();
  // Entering a state resets its clock and starts it; the current state changes nothing.
  void setState(int s) override;
  bool isUpright();

  void update(float dt) override;
  void drawGround() override;
  void draw() override;

  // Units from the victim's position to the farthest corner of its splatter, however turned.
  float splatterReach() const;

  // Head, body, arm, shadow, splatter: the lists this victim owns.
  std::array<unsigned, 5> displayLists() const;

  // Tests pin these down to make walking, flinging and drawing deterministic.
  float variation() const { return variation_; }
  void setVariation(float v) { variation_ = v; }
  const Vec3& target() const { return target_; }
  void setTarget(const Vec3& t) { target_ = t; }
  float verticalSpeed() const { return verticalSpeed_; }
  void setVerticalSpeed(float v) { verticalSpeed_ = v; }

 private:
  void walk(float dt);
  void fly(float dt);
  float& tumble() { return rotationOffset_.y; }

  unsigned headList_ = 0, bodyList_ = 0, armList_ = 0, shadowList_ = 0, splatterList_ = 0;  // owned
  Vec3 target_;              // where it walks to; z is 0
  float variation_;          // [0, 1): speed, flap rate, tumble, splatter size and turn
  float verticalSpeed_ = 0;  // units per second upward while flung
};
