#include "app/FramePacer.h"

#include <algorithm>

namespace {

// Frames that come this much faster than the display refreshes were not held back by the swap.
constexpr double kFasterThanDisplay = 0.8;  // of the period

}  // namespace

void FramePacer::start(double refreshHz, bool swapIntervalSet) {
  setRefreshHz(refreshHz);
  pacing_ = !swapIntervalSet;
  started_ = false;
  judged_ = 0;
  judgedMs_ = 0;
}

void FramePacer::setRefreshHz(double refreshHz) { periodMs_ = 1000 / (refreshHz > 0 ? refreshHz : kDefaultHz); }

void FramePacer::frameStarted(double nowMs, bool backToBack) {
  double interval = nowMs - lastStartMs_;
  bool follows = backToBack && started_;  // the first frame follows none
  started_ = true;
  lastStartMs_ = nowMs;
  if (pacing_ || !follows || judged_ >= kFramesToJudge) return;
  judgedMs_ += interval;
  if (++judged_ == kFramesToJudge) pacing_ = judgedMs_ / kFramesToJudge < kFasterThanDisplay * periodMs_;
}

bool FramePacer::due(double nowMs) const { return !pacing_ || nowMs - lastStartMs_ >= periodMs_; }

double FramePacer::sleepMs(double nowMs, bool frameWaiting) const {
  if (!pacing_ || !frameWaiting) return kPollMs;
  return std::clamp(lastStartMs_ + periodMs_ - nowMs, 0.0, kPollMs);
}
