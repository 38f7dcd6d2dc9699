// Where the game's files are. Every path the game reads is "./res/..." from the
// working directory; started from elsewhere (a menu, another folder), the game
// first moves to the folder that holds its res/.
#pragma once

#include <string>

// Keeps the working directory when it holds res/; else changes to the first of
// <executable>/.. (a checkout's build/stompalong) and <executable>/../share/stompalong
// (an installed game) that holds res/. False when none does, and nothing changed.
bool enterResourceDir();

// The one line that says why the font did not load: the file, the folder it was
// looked for in, and the system's reason when the file cannot be opened at all
// (or "not a regular file", "File too large" when it is not read at all),
// else the font loader's own message.
std::string fontFailureLine(const char* loaderMessage);
