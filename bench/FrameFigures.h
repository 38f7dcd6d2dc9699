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

// The game frame's layers pass by pass over scripted frames; prints each
// pass's, the frame's in all (shaded) and those that reach the window (shown),
// each name ending in the suffix.
std::vector<PassLayers> measureLayers(const std::string& suffix = "");

// Rounds of interleaved bare, flat, textured and game frames; prints each
// kind's CPU and wall time per frame and the ratios, over the rounds. The
// textured reference draws each pass's layers with that pass's own state.
void measureFrames(const std::vector<PassLayers>& passes);

// The scripted game frame in a full-HD window, interleaved with bare and
// textured reference frames of that size, whose layers are counted there; the
// window is 800 by 600 again after it.
void measureFullHd();

}  // namespace bench
