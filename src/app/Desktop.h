// What the desktop offers the game window, asked of X11 and GLX directly.
// Kept apart from the rest of the shell: the X11 headers define macros (None,
// Status) that clash with the game's names.
#pragma once

// One swap per display refresh where the driver offers swap control (GLX EXT,
// MESA or SGI), so a real display neither tears nor spins faster than it can
// show; frames still run back to back. Without it nothing changes, silently.
// Needs the window's GL context current.
void requestVSync();

// Whether a window manager runs that takes full-screen requests
// (_NET_WM_STATE_FULLSCREEN); on a bare X server nothing does.
bool windowManagerDoesFullScreen();
