// The slides before the game: four full-window pictures stepped through with
// any player's Start or a left click. The intro music starts with the third;
// stepping past the last starts the game. Another pad's first Start, or
// Insert, joins a player instead. Select held two seconds on a pad, or F2 for
// pad 0, opens the pad setup, which comes back to the same picture.
#pragma once

#include "app/Slideshow.h"
#include "app/screens/Screen.h"
#include "input/PadSetup.h"
#include "media/MusicStream.h"

class SlidesScreen : public Screen {
 public:
  // The pictures and the music's file; once, at start.
  void load();

  NextScreen update(float dt, const FrameInput& input) override;
  void draw() override;
  void leave() override;
  // A slide changes only with the input: a step, a join, a pad pulled out.
  bool moves() const override { return false; }

  const Slideshow& slideshow() const { return slideshow_; }

 private:
  Slideshow slideshow_;
  MusicStream introClip_;   // loops while the last two slides show, until the game starts
  SelectHold selectHold_;   // Select held on a pad opens the pad setup
  bool shown_ = false;      // the first picture has been drawn: the next may be decoded
};
