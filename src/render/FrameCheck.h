// A frame must leave OpenGL as it found it: no error raised and both matrix
// stacks as deep as before. Debug builds check every frame, so a pass that
// leaks state is caught in the frame it happens in, not frames later.
#pragma once

#include <string>

struct MatrixStackDepths {
  int modelview = 0;
  int projection = 0;
};

MatrixStackDepths matrixStackDepths();
// What checkFrameState compares against: the depths in debug builds, nothing
// read in release builds, where the check is off.
MatrixStackDepths frameCheckStart();

// What the frame left wrong since `before` ("GL error 0x502", "modelview stack 3, was 2"),
// or "" when nothing. Reading the error clears it.
std::string frameStateFault(const MatrixStackDepths& before);

// Debug builds: prints the fault on stderr and aborts. Release builds: nothing.
void checkFrameState(const MatrixStackDepths& before);
