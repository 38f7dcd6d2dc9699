// The frame figures: the game frame's cost against reference frames drawn in
// the same rounds, frame by frame, so the machine's load falls on all alike.
#pragma once

namespace bench {

// Window areas the game frame rasterises: its fragments (a pipeline statistics
// query over whole frames) divided by the window's pixels.
double measureLayers();

// Rounds of interleaved bare, flat, textured and game frames; prints each
// kind's CPU and wall time per frame and the ratios, over the rounds.
void measureFrames(double layers);

}  // namespace bench
