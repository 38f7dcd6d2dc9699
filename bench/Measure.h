// What every benchmark figure is built from: the two clocks a frame is timed
// by, medians and spreads, and the "name value unit" lines the benchmark prints.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

// One frame's cost: wall time, and CPU time of the whole process, which counts
// the renderer's own threads as well as the game's.
struct FrameCost {
  double wallMs = 0;
  double cpuMs = 0;
};

// Runs the frame and waits for the renderer to finish it (llvmpipe draws
// deferred: a frame is done only after glFinish).
FrameCost timeFrame(const std::function<void()>& frame);
double millisecondsSince(double startMs);
double wallMs();  // a monotonic clock, in milliseconds

double percentile(std::vector<double> samples, double fraction);
double median(const std::vector<double>& samples);

// The median of a few rounds' figures and the lowest and highest of them.
struct Spread {
  double median = 0, low = 0, high = 0;
};
Spread spreadOf(const std::vector<double>& rounds);

// The game's console fragments end without a line break: each figure starts a line of its own.
void report(const std::string& name, double value, const char* unit);
// "name median unit (low to high)": the spread over the rounds follows the figure.
void report(const std::string& name, const Spread& spread, const char* unit);

}  // namespace bench
