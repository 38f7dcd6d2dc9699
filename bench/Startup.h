// Figures of the game as a process: its first frame against a bare window's,
// and the CPU it takes while nobody plays, each in a child process that runs
// this benchmark in one of its modes.
#pragma once

namespace bench {

constexpr const char* kFirstFrameOption = "--first-frame";  // game | bare: draws one frame, prints when, exits
constexpr const char* kIdleOption = "--idle";               // slides | game: runs the game's own loop until killed

// The child modes; each returns the process's exit status (the idle one never returns).
int firstFrameChild(const char* kind);
int idleChild(const char* screen);

// startup_vs_bare: first frame of the game over a bare window's, interleaved rounds.
void measureStartup(const char* self);
// idle_cpu_slide_pct and idle_cpu_game_pct: the game's loop, paced, 10 s each.
void measureIdle(const char* self);

}  // namespace bench
