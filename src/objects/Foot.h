// The giant foot of a stomp (Foot) and the manager that loads the four foot
// pictures as prototypes and owns the feet on screen (FootManager).
#pragma once

#include <memory>
#include <vector>

#include "core/Rect.h"
#include "objects/GameObject.h"

class Foot : public GameObject {
 public:
  enum State { Finished = 0, Planted = 1, Rising = 2 };

  void update(float dt) override;
  void drawGround() override;
  void draw() override;

 private:
  friend class FootManager;  // the only maker of feet
  Foot(unsigned footList, unsigned shadowList) : footList_(footList), shadowList_(shadowList) {}

  unsigned footList_;    // unit quad centred at (0, 0.43); shared with the prototype, never deleted
  unsigned shadowList_;  // unit quad centred on the origin; shared likewise
};

class FootManager : public GameObject {
 public:
  void load();
  void loadPrototype(const char* fileName);
  // A foot with one of the prototypes' pictures, at random (none before load).
  void stompAt(float x, float y);
  // Starts every planted foot inside the rectangle (bounds inclusive) rising.
  void liftFeetIn(float minX, float minY, float maxX, float maxY) { liftFeetIn(Rect{minX, minY, maxX, maxY}); }
  void liftFeetIn(const Rect& area);
  void update(float dt) override;
  void drawGround() override;
  void draw() override;

  const std::vector<std::unique_ptr<Foot>>& feet() const { return feet_; }

 private:
  std::vector<std::unique_ptr<Foot>> prototypes_;  // load order; only supply list names
  std::vector<std::unique_ptr<Foot>> feet_;        // on screen, oldest first
};

extern FootManager footManager;
