// A game controller's layout as a pad mapping. SDL knows the layout of many
// controllers (its built-in database, SDL_GAMECONTROLLERCONFIG, files of
// mappings) and gives it as a mapping string: "GUID,name,a:b0,dpup:h0.1,
// leftx:a0,...". The game still reads the joystick's own inputs; the layout
// only says which of them feed which slot:
//
//   d-pad up, down, left, right   the four arrows
//   left stick                    the four arrows too
//   Y, B, A, X                    UpRight, DownRight, DownLeft, UpLeft: the face
//                                 buttons' diamond turned an eighth clockwise,
//                                 so each goes to the corner square beside it
//   Start, Back                   Start, Select
#pragma once

#include <optional>
#include <string_view>

#include "input/PadMapping.h"

// The mapping from SDL's mapping string; none when it feeds no slot.
std::optional<PadMapping> controllerLayout(std::string_view sdlMapping);

// The layout SDL knows for the joystick at this device index if it is a game
// controller; none for any other joystick. Needs SDL's game controller subsystem.
std::optional<PadMapping> controllerLayoutOf(int device);

// Adds the mappings of $XDG_CONFIG_HOME/stompalong/gamecontrollerdb.txt, when
// there is one, to those SDL knows; SDL_GAMECONTROLLERCONFIG's win over it.
void addPlayerControllerMappings();
