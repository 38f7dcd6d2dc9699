// How long a RIFF WAVE file's sound lasts, read from its header alone, so a
// file that would decode to more than the game can hold is refused before the
// mixer converts it.
#pragma once

#include <optional>
#include <string_view>

// Seconds of sound the header of the file's bytes declares, counting only the
// data the file really holds. nullopt when they are not RIFF WAVE; infinity
// when they are, but the header makes no sense (no format or data chunk, no
// rate, channels or frame size), so that it counts as too long.
std::optional<double> wavSeconds(std::string_view file);
