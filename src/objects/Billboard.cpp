#include "objects/Billboard.h"

#include "media/Texture.h"
#include "objects/Camera.h"
#include "render/Render.h"

void faceCamera(const Vec3& point) {
  translate(point.x, point.y, point.z);
  rotate(Camera::instance().rotationZ(), 0, 0, 1);
}

void drawStanding(unsigned list, float width, float height) {
  scale(width, 1, height);
  rotate(90, 1, 0, 0);
  drawQuad(list);
}
