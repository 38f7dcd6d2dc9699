// The game's console. A problem the player should know of is one line on
// stderr, "Stompalong: " and what went wrong (logLine). What the game does
// (pictures loading, special keys, pads found) is traced on stdout in
// fragments that each start a line of their own (logTrace); the last line
// stays open, so the next fragment ("done.") can finish it.
#pragma once

#define STOMP_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))

void logLine(const char* format, ...) STOMP_PRINTF_FORMAT;
void logTrace(const char* format, ...) STOMP_PRINTF_FORMAT;
