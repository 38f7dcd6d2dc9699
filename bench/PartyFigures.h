// The party's figures: party_frame_ratio_cpu, a scripted game frame with four
// players stomping (four score blocks, four indicators) over the solo frame,
// interleaved in one run on the same field; and party_update_us, one step of
// the rules with four players pressing.
#pragma once

namespace bench {

// On the game screen; leaves the game solo again.
void measureParty();

}  // namespace bench
