// The frame figures: the game frame's cost against reference frames drawn in
// the same rounds, frame by frame, so the machine's load falls on all alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

// One kind of frame, timed in rounds taken in turn with the other kinds'.
struct FrameKind {
  std::string name;
  std::function<void()> frame;
  std::function<void()> after{};  // untimed, after each of its frames
  std::vector<std::vector<double>> cpuMs{}, wallMs{};  // each round's frames
  std::vector<double> cpuRounds{}, wallRounds{};      // each round's median
};

// Blocks of frames of every kind in turn, spread over the rounds, so the
// machine's load falls on all alike; prints each kind's medians. The hook
// runs after each turn through the kinds.
void timeInterleaved(std::vector<FrameKind>& kinds, const std::function<void()>& afterEachTurn = {});
// Each round's ratio of the two kinds' medians, by CPU time and by wall time.
void reportRatio(const char* cpuName, const char* wallName, const FrameKind& over, const FrameKind& under);

// One of the game frame's passes: the window areas it rasterises (its
// fragments, a pipeline statistics query, over the window's pixels) and the
// state it draws them with, as it stands at the pass's end.
struct PassLayers {
  std::string name;
  double layers = 0;
  unsigned texture = 0;  // 0: untextured
  bool blended = false;
  bool alphaTested = false;
  int environment = 0x2100;  // GL_MODULATE
};

// Rounds of interleaved game, bare, flat and textured frames; prints each
// kind's CPU and wall time per frame and the ratios, over the rounds, and the
// game frame's layers pass by pass (each name ending in the suffix). After
// each game frame its scene is drawn again, untimed, to count its layers, which
// the references of the same turn fill: the textured one each pass's layers
// with that pass's own state.
void measureFrames();

// The scripted game frame with all but a set of its scene's passes left out
// (the floor, the skyline, the sprites, the floor and the skyline, all, none),
// interleaved with the textured reference of what is left. Printed: the CPU
// time each set adds to the frame with none, over what it adds to that
// frame's reference; which passes fill their layers dearer than whole-window
// rectangles of their own state would.
void measurePasses();

// The scripted game frame in a full-HD window, interleaved likewise with bare
// and textured reference frames of that size; the window is 800 by 600 again
// after it.
void measureFullHd();

}  // namespace bench
