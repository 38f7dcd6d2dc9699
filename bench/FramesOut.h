// --frames-out FILE: the scripted solo game drawn frame by frame, from the
// first slide to the game, with a checksum of every frame's pixels written to
// FILE, one line per frame. Two builds that draw the same game write the same
// file, so a change meant to leave the solo picture alone is checked against
// the file its parent commit wrote (bench/frames-reference.txt). Sounds draw on
// the game's random sequence, so the audio driver must be the same for both:
// SDL_AUDIODRIVER=dummy.
#pragma once

namespace bench {

constexpr const char* kFramesOutOption = "--frames-out";
constexpr int kFramesOut = 300;

// The fill shortcuts move pixels slightly by design: the reference holds the
// picture drawn without them.
void drawWithoutFillShortcuts();
// After App::init, with the window's size known; returns the exit status.
int writeFrameChecksums(const char* path);

}  // namespace bench
