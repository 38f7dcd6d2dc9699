// The blocked middle pad square the arena's load adds, for tests that let
// victims walk without loading the arena's pictures.
#pragma once

#include "core/Field.h"
#include "objects/Arena.h"

namespace testworld {

constexpr BlockedRect kCentreSquare{-field::kCentreHalf, -field::kCentreHalf, field::kCentreHalf, field::kCentreHalf};

}  // namespace testworld
