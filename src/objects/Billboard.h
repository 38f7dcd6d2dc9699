// Billboards: the victims' and the feet's pictures are unit quads in the floor
// plane, stood upright and turned about z to face the camera.
#pragma once

#include "core/Vec3.h"

// Moves the origin to the point and turns it to face the camera. Push the
// matrix before and pop it after.
void faceCamera(const Vec3& point);
// The unit quad list stood upright in the x-z plane at the current origin,
// width by height units.
void drawStanding(unsigned list, float width, float height);
