#include "input/PadSetup.h"

#include <algorithm>

namespace {

// The four arrows, the four diagonals, then Start and Select: a pad with only
// arrows is done after four steps and a wait.
constexpr int kStepSlots[PadSetup::kSteps] = {
    kSlotUp,     kSlotRight,   kSlotDown,     kSlotLeft,  kSlotUpLeft,
    kSlotUpRight, kSlotDownRight, kSlotDownLeft, kSlotStart, kSlotSelect,
};

}  // namespace

int PadSetup::slotOfStep(int step) { return step >= 0 && step < kSteps ? kStepSlots[step] : -1; }

void PadSetup::begin(DancePad& pads, int pad) {
  pads_ = &pads;
  pad_ = pad;
  device_ = -1;
  deviceName_.clear();
  state_ = State::WaitingForPad;
  if (pads.connected(pad)) startSteps();
}

void PadSetup::startSteps() {
  device_ = pads_->instanceId(pad_);
  deviceName_ = pads_->deviceName(pad_);
  before_ = pads_->mapping(pad_);
  for (auto& input : recorded_) input.reset();
  step_ = 0;
  secondsLeft_ = kStepSeconds;
  takenBy_ = -1;
  state_ = State::Stepping;
}

void PadSetup::cancel() {
  if (running()) state_ = State::Cancelled;
}

void PadSetup::update(float dt) {
  if (state_ == State::WaitingForPad) {
    if (pads_->connected(pad_)) startSteps();  // inputs count from the next poll on
    return;
  }
  if (state_ != State::Stepping) return;
  if (pads_->instanceId(pad_) != device_) {
    state_ = State::Unplugged;
    return;
  }
  for (const PadInputId& input : pads_->inputsCameOn(pad_)) {
    int taken = -1;
    for (int slot = 0; slot < kPadSlots; ++slot)
      if (recorded_[slot] == input) taken = slot;
    if (taken >= 0) {  // asks again, with the full time
      takenBy_ = taken;
      secondsLeft_ = kStepSeconds;
      continue;
    }
    record(input);
    return;  // inputs that came on with it are no answer to the next step
  }
  secondsLeft_ -= dt;
  if (secondsLeft_ <= 0) nextStep();  // skipped
}

void PadSetup::record(const PadInputId& input) {
  recorded_[slot()] = input;
  nextStep();
}

void PadSetup::nextStep() {
  ++step_;
  secondsLeft_ = kStepSeconds;
  takenBy_ = -1;
  if (step_ >= kSteps) finish();
}

// Recorded slots get their one input; skipped slots keep theirs, less any
// input a step gave to another slot.
void PadSetup::finish() {
  PadMapping mapping = before_;
  for (const auto& input : recorded_) {
    if (!input) continue;
    for (auto& inputs : mapping.slots) std::erase(inputs, *input);
  }
  for (int slot = 0; slot < kPadSlots; ++slot)
    if (recorded_[slot]) mapping.slots[slot] = {*recorded_[slot]};
  pads_->setMapping(pad_, mapping);
  state_ = State::Saved;
}

int SelectHold::update(const PadFrame& pads, float dt) {
  int opened = -1;
  for (int pad = 0; pad < kMaxPads; ++pad) {
    float& held = heldFor_[pad];
    if (!pads.sources[pad].isHeld(kButtonSelect)) {
      held = 0;
      continue;
    }
    if (held < 0) continue;  // still held from before: wait for the release
    held += dt;
    if (held >= kSeconds && opened < 0) {
      held = -1;
      opened = pad;
    }
  }
  return opened;
}

void SelectHold::rearm() { std::fill(std::begin(heldFor_), std::end(heldFor_), -1.0f); }
