// The volume bar: a row of ten blocks in the window's top-right corner, one
// for each tenth of the volume, shown for a moment after every volume key.
#pragma once

namespace hud {

// Lit blocks up to the level; muted, they are drawn dim red, so the level a
// press of M brings back still shows.
void drawVolumeBar(int percent, bool muted);

}  // namespace hud
