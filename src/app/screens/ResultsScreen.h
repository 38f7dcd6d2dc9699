// The end of a party round: the players ranked over the scene as it stood,
// with a cheer. Start on any player's pad, or 3, starts the next round with
// the same players, less those whose pad is still out.
#pragma once

#include "app/screens/GameScreen.h"
#include "app/screens/Screen.h"

class ResultsScreen : public Screen {
 public:
  explicit ResultsScreen(const GameScreen& game) : game_(game) {}

  void enter(const NextScreen&) override;
  NextScreen update(float dt, const FrameInput& input) override;
  void draw() override;

 private:
  const GameScreen& game_;  // draws the scene the round ended on
};
