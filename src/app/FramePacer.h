// FramePacer: when frames are drawn. A screen that moves draws one frame per
// display refresh; a still screen only when what it shows has changed. Input
// is read at least every kPollMs in between, and a press is drawn at once.
// Where the swap waits for the display (a swap interval the driver honours),
// the swap paces the frames; where it does not, or frames come back to back
// faster than the display refreshes, the pacer waits out the rest of each
// refresh itself.
#pragma once

class FramePacer {
 public:
  static constexpr double kPollMs = 2;          // input is read at least this often
  static constexpr double kDefaultHz = 60;      // when the display's rate is unknown
  static constexpr int kFramesToJudge = 30;     // back-to-back frames that show whether the swap waits

  // The display's refresh rate (0 or less: unknown) and whether a swap interval was set.
  void start(double refreshHz, bool swapIntervalSet);
  // The window's display may change as it moves; the judgement of the swap holds.
  void setRefreshHz(double refreshHz);
  // A frame starts at nowMs; backToBack when it follows the previous one with no wait between.
  void frameStarted(double nowMs, bool backToBack);
  // A moving screen's next frame may start.
  bool due(double nowMs) const;
  // How long to sleep before reading the input again; less when a frame
  // waits for its refresh and that comes sooner.
  double sleepMs(double nowMs, bool frameWaiting) const;

  bool pacing() const { return pacing_; }
  double periodMs() const { return periodMs_; }

 private:
  double periodMs_ = 1000 / kDefaultHz;  // of one display refresh
  bool pacing_ = true;                   // the pacer, not the swap, spaces the frames
  double lastStartMs_ = -1e9;            // the latest frame's start
  bool started_ = false;                 // a frame has started since start()
  int judged_ = 0;                       // back-to-back frames seen while judging the swap
  double judgedMs_ = 0;                  // their intervals, summed
};
