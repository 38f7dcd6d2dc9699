// Tests and benchmarks press keys by calling the game's input callbacks
// directly, outside GLUT's own dispatch, where GLUT warns on every key that it
// has no modifiers to give (and gives none). That warning is expected there;
// this keeps it out of the logs and passes every other warning on.
#pragma once

// Call before glutInit.
void quietModifierWarnings(const char* program);
