// The giant foot of a stomp (Foot) and the manager that loads the four foot
// pictures as prototypes and owns the feet on screen (FootManager).
#pragma once

#include <memory>
#include <vector>

#include "core/Assets.h"
#include "core/Rect.h"
#include "objects/GameObject.h"

class Foot : public GameObject {
 public:
  enum State { Finished = 0, Planted = 1, Rising = 2 };

  static constexpr assets::Rgb8 kUntinted{255, 255, 255};
  static constexpr int kAnyOwner = -1;

  void update(float dt) override;
  void drawGround() override;
  void draw() override;

  int owner() const { return owner_; }
  assets::Rgb8 tint() const { return tint_; }

 private:
  friend class FootManager;  // the only maker of feet
  Foot(unsigned footList, unsigned shadowList) : footList_(footList), shadowList_(shadowList) {}

  unsigned footList_;    // unit quad centred at (0, 0.43); shared with the prototype, never deleted
  unsigned shadowList_;  // unit quad centred on the origin; shared likewise
  int owner_ = 0;        // the player whose stomp it is, and whose release lifts it
  assets::Rgb8 tint_ = kUntinted;  // the picture is drawn multiplied by it
};

class FootManager : public GameObject {
 public:
  void load();
  void loadPrototype(const char* fileName);
  // A foot with one of the prototypes' pictures, at random (none before load),
  // for its owner (a player's slot) and in their tint.
  void stompAt(float x, float y) { stompAt(x, y, 0, Foot::kUntinted); }
  void stompAt(float x, float y, int owner, assets::Rgb8 tint);
  // Starts every planted foot inside the rectangle (bounds inclusive) rising,
  // or only the owner's.
  void liftFeetIn(float minX, float minY, float maxX, float maxY) { liftFeetIn(Rect{minX, minY, maxX, maxY}); }
  void liftFeetIn(const Rect& area, int owner = Foot::kAnyOwner);
  void update(float dt) override;
  void drawGround() override;
  void draw() override;

  const std::vector<std::unique_ptr<Foot>>& feet() const { return feet_; }

 private:
  std::vector<std::unique_ptr<Foot>> prototypes_;  // load order; only supply list names
  std::vector<std::unique_ptr<Foot>> feet_;        // on screen, oldest first
};

extern FootManager footManager;
