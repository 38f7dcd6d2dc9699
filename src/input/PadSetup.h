// PadSetup: the pad setup the player does standing on the pad. One step per
// slot: the eight arrows, then Start (which the centre square shares), then
// Select. Each step records the first input that comes on, on the pad being
// set up; an input an earlier step took asks again; a step with no input for
// five seconds is skipped and keeps the inputs it had (less any that another
// step took). After the last step the mapping is given to the pad and saved.
// Cancelling, or the pad going away, ends it with nothing saved.
//
// SelectHold opens it from the slides: Select held for two seconds on a pad.
#pragma once

#include <optional>
#include <string>

#include "input/DancePad.h"
#include "input/FrameInput.h"

class PadSetup {
 public:
  static constexpr int kSteps = kPadSlots;
  static constexpr float kStepSeconds = 5;

  enum class State {
    Idle,           // never begun
    WaitingForPad,  // begun on a pad number with no device yet: waits for one
    Stepping,
    Saved,          // every step done, mapping given to the pad (and saved, if the file could be written)
    Cancelled,      // nothing saved
    Unplugged,      // the pad went away during the steps: nothing saved
  };

  // The slot each step asks for.
  static int slotOfStep(int step);

  void begin(DancePad& pads, int pad);
  // Once per frame, after the frame's pad poll.
  void update(float dt);
  void cancel();

  State state() const { return state_; }
  bool running() const { return state_ == State::WaitingForPad || state_ == State::Stepping; }
  int pad() const { return pad_; }
  int step() const { return step_; }
  int slot() const { return state_ == State::Stepping ? slotOfStep(step_) : -1; }
  // The slot that took the input tried last in this step, or -1.
  int takenBy() const { return takenBy_; }
  float secondsLeft() const { return secondsLeft_; }
  const std::string& deviceName() const { return deviceName_; }
  // The input each step recorded; none for a step skipped or still to come.
  const std::optional<PadInputId>& recorded(int slot) const { return recorded_[slot]; }

 private:
  void startSteps();
  void record(const PadInputId& input);
  void nextStep();
  void finish();

  DancePad* pads_ = nullptr;
  State state_ = State::Idle;
  int pad_ = 0;
  SDL_JoystickID device_ = -1;  // the device being set up; another device on the number ends the setup
  std::string deviceName_;
  PadMapping before_;           // the mapping the device had
  int step_ = 0;
  float secondsLeft_ = kStepSeconds;
  int takenBy_ = -1;
  std::optional<PadInputId> recorded_[kPadSlots];
};

class SelectHold {
 public:
  static constexpr float kSeconds = 2;

  // The pad whose Select has now been held for two seconds, or -1. Called
  // once per frame while the slides show; only the pads count, not the keyboard.
  int update(const PadFrame& pads, float dt);
  // Counts again only once each pad's Select has been let go.
  void rearm();

 private:
  float heldFor_[kMaxPads] = {};  // seconds; -1 while waiting for a release
};
