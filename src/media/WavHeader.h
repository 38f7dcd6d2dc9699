// How long a RIFF WAVE file's sound lasts, read from its header alone, so a
// file that would decode to more than the game can hold is refused before the
// mixer converts it.
#pragma once

#include <optional>

// Seconds of sound the file's header declares, counting only the data the
// file really holds. nullopt when the file is not RIFF WAVE (or cannot be
// opened); infinity when it is, but its header makes no sense (no format or
// data chunk, no rate, channels or frame size), so that it counts as too long.
std::optional<double> wavSeconds(const char* path);
