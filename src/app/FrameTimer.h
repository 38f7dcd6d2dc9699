// FrameTimer: wall-clock time between frames as the frame's time step, in
// seconds, clamped so a stall never produces one huge step.
#pragma once

class FrameTimer {
 public:
  using Clock = int (*)();  // milliseconds since some fixed moment

  static FrameTimer& instance();

  void start();
  void tick();
  float frameDelta() const { return frameDelta_; }

  // The clock defaults to GLUT's elapsed time; tests drive their own.
  void setClock(Clock clock) { clock_ = clock; }

  static constexpr float kMaxStep = 0.125f;  // seconds

 private:
  float seconds() const;

  Clock clock_ = nullptr;  // null: GLUT elapsed time
  float startTime_ = 0;   // seconds, clock reading at start
  float now_ = 0;         // seconds since startTime_, as of the latest tick
  float previous_ = 0;    // now_ before the latest tick
  float frameDelta_ = 0;  // seconds, at most kMaxStep, never negative in practice
};
