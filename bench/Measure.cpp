#include "Measure.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace bench {

namespace {

double clockMs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return now.tv_sec * 1e3 + now.tv_nsec * 1e-6;
}

}  // namespace

double wallMs() { return clockMs(CLOCK_MONOTONIC); }
double millisecondsSince(double startMs) { return wallMs() - startMs; }

FrameCost timeFrame(const std::function<void()>& frame) {
  double wall = wallMs();
  double cpu = clockMs(CLOCK_PROCESS_CPUTIME_ID);
  frame();
  glFinish();
  return {wallMs() - wall, clockMs(CLOCK_PROCESS_CPUTIME_ID) - cpu};
}

double percentile(std::vector<double> samples, double fraction) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  size_t index = std::min(samples.size() - 1, static_cast<size_t>(fraction * samples.size()));
  return samples[index];
}

double median(const std::vector<double>& samples) { return percentile(samples, 0.5); }

Spread spreadOf(const std::vector<double>& rounds) {
  if (rounds.empty()) return {};
  auto [low, high] = std::minmax_element(rounds.begin(), rounds.end());
  return {median(rounds), *low, *high};
}

void report(const std::string& name, double value, const char* unit) {
  std::printf("\n%s %.3f %s", name.c_str(), value, unit);
  std::fflush(stdout);
}

void report(const std::string& name, const Spread& spread, const char* unit) {
  std::printf("\n%s %.3f %s (%.3f to %.3f)", name.c_str(), spread.median, unit, spread.low, spread.high);
  std::fflush(stdout);
}

}  // namespace bench
