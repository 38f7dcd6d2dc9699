// The game: the rules, the arena, the crowd, the feet and the camera, each
// updated and drawn once a frame, with the game music looping from the start.
#pragma once

#include "app/screens/Screen.h"
#include "media/MusicStream.h"

class GameScreen : public Screen {
 public:
  // The music's file; once, at start.
  void load();

  void enter(const NextScreen&) override;
  NextScreen update(float dt, const FrameInput& input) override;
  void draw() override;

 private:
  MusicStream loopClip_;  // loops during the game
};
