// The giant foot of a stomp (Foot) and the manager that loads the four foot
// pictures as prototypes and owns the feet on screen (FootManager).
#pragma once

#include "objects/GameObject.h"

class FootManager : public GameObject {
 public:
  void load();
  void stompAt(float x, float y);
  void liftFeetIn(float minX, float minY, float maxX, float maxY);
  void update(float dt) override;
  void drawGround() override;
  void draw() override;
};

extern FootManager footManager;
