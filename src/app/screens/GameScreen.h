// The game: the rules, the arena, the crowd, the feet and the camera, each
// updated and drawn once a frame, with the game music looping from the start.
// A party plays in rounds: each begins as the screen comes on, and the
// results come on when its time is up.
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
  // The 3D scene alone, as it stands: the results show over it.
  void drawScene() const;

 private:
  MusicStream loopClip_;  // loops during the game
  bool playing_ = false;  // the music has started: later rounds go on with it
};
