// Camera: the one viewpoint. The game world moves it around the field each
// frame; it keeps the viewport, builds projection and view on the modelview
// matrix at the start of every 3D frame, and dips the eye after a stomp.
#pragma once

#include "objects/GameObject.h"

class Camera : public GameObject {
 public:
  static Camera& instance();

  void setFieldOfView(float degrees) { fieldOfView_ = degrees; }
  void resize(int width, int height);
  void shake(float amplitude);

  void update(float dt) override;
  void draw() override;

  // The window's size is kept with the 2D layers (render/); these read it.
  int windowWidth() const;
  int windowHeight() const;
  float fieldOfView() const { return fieldOfView_; }
  float aspect() const;
  float shakeOffset() const { return positionOffset_.z; }
  float shakeAmplitude() const { return shakeAmplitude_; }

 private:
  Camera();

  int viewportX_ = 0, viewportY_ = 0;            // pixels, lower-left corner
  int viewportWidth_ = 0, viewportHeight_ = 0;   // pixels; their quotient is the aspect
  float fieldOfView_ = 0;                        // vertical, degrees
  float shakeAmplitude_ = 0;                     // units; also the seconds of shake left
  float shakeTime_ = 0;                          // seconds since the shake began
};
