#include "objects/GameObject.h"

#include <cmath>

float GameObject::sqrtOf(float v) { return std::sqrt(v); }
