#include "objects/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "render/Render.h"

namespace {

constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 700;
constexpr double kShakeRate = 4 * M_PI;  // radians per second: 2 Hz

}  // namespace

Camera& Camera::instance() {
  static Camera* camera = new Camera;  // never destroyed, like every manager
  return *camera;
}

Camera::Camera() {
  position_ = {0, 0, 1};
  rotation_ = {90, 0, 0};
}

void Camera::resize(int width, int height) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (width <= 0 || height <= 0) return;  // minimised: keep the last size, never divide by zero
  setWindowSize(width, height);
  viewportX_ = 0;
  viewportY_ = 0;
  viewportWidth_ = width;
  viewportHeight_ = height;
  glViewport(0, 0, width, height);
}

float Camera::aspect() const {
  return static_cast<float>(static_cast<double>(viewportWidth_) / viewportHeight_);
}

void Camera::shake(float amplitude) {
  shakeAmplitude_ = amplitude;
  shakeTime_ = 0;
}

void Camera::update(float dt) {
  age_ += dt;
  if (!(shakeAmplitude_ > 0)) return;
  shakeTime_ += dt;
  positionOffset_.z = static_cast<float>(shakeAmplitude_ * std::sin(shakeTime_ * kShakeRate - M_PI / 2));
  shakeAmplitude_ -= dt;
  if (shakeAmplitude_ <= 0) {  // always end with the eye back at its rest height
    shakeAmplitude_ = 0;
    positionOffset_.z = 0;
  }
}

void Camera::draw() {
  glViewport(viewportX_, viewportY_, viewportWidth_, viewportHeight_);
  glLoadIdentity();
  gluPerspective(fieldOfView_, static_cast<double>(viewportWidth_) / viewportHeight_, kNearPlane, kFarPlane);
  glRotatef(-rotationX(), 1, 0, 0);
  glRotatef(-rotationZ(), 0, 0, 1);
  const Vec3& p = position();
  glTranslatef(-p.x, -p.y, -(p.z + positionOffset_.z));
}

int Camera::windowWidth() const { return windowSize().width; }
int Camera::windowHeight() const { return windowSize().height; }
