// What the game window tells the desktop, and what the desktop offers it,
// through X11 and GLX directly.
// Kept apart from the rest of the shell: the X11 headers define macros (None,
// Status) that clash with the game's names.
#pragma once

// Names the window to the desktop, so a dock or task bar ties it to the menu
// entry: WM_CLASS (the class is the entry's StartupWMClass), _NET_WM_PID, and
// _NET_WM_ICON from the menu's icons in res/icons/. Needs the window's GL
// context current.
void identifyWindow();

// One swap per display refresh where the driver offers swap control (GLX EXT,
// MESA or SGI), so a real display neither tears nor spins faster than it can
// show. True when an interval was set; the driver may still not honour it.
// Needs the window's GL context current.
bool requestVSync();

// The refresh rate, in Hz, of the output (XRandR) that shows the window's
// centre; 0 when it cannot be told. Needs the window's GL context current.
double displayRefreshHz();

// Whether a window manager runs that takes full-screen requests
// (_NET_WM_STATE_FULLSCREEN); on a bare X server nothing does.
bool windowManagerDoesFullScreen();
