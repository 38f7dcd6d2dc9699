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
  std::vector<std::vector<double>> cpuMs{}, wallMs{};  // each round's frames
  std::vector<double> cpuRounds{}, wallRounds{};      // each round's median
};

// Blocks of frames of every kind in turn, spread over the rounds, so the
// machine's load falls on all alike; prints each kind's medians. The hook
// runs after each turn through the kinds.
void timeInterleaved(std::vector<FrameKind>& kinds, const std::function<void()>& afterEachTurn = {});
// Each round's ratio of the two kinds' medians, by CPU time and by wall time.
void reportRatio(const char* cpuName, const char* wallName, const FrameKind& over, const FrameKind& under);

// Window areas the game frame rasterises: its fragments (a pipeline statistics
// query over whole frames) divided by the window's pixels.
double measureLayers();

// Rounds of interleaved bare, flat, textured and game frames; prints each
// kind's CPU and wall time per frame and the ratios, over the rounds.
void measureFrames(double layers);

}  // namespace bench
