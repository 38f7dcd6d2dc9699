// Player: one of up to four people stomping at once. Player 1 plays with pad
// number 0 and the letter keys, as the solo game always has; each other player
// with a pad of their own, known by its SDL instance while plugged in and by
// its kind (GUID) when it comes back, or with the keyboard's navigation keys.
#pragma once

#include <array>

#include "input/FrameInput.h"

struct PlayerScore {
  int mostPerStomp = 0;   // victims in the player's best stomp of the run
  int lastStomp = 0;      // victims in the player's latest stomp
  int roundSquashed = 0;  // victims counted for the player this round
  int roundBest = 0;      // victims in the player's best stomp this round
};

struct Player {
  int slot = 0;                  // 0..3, shown as "player slot + 1"
  bool letterKeys = false;       // player 1: the letter keys and pad number 0
  bool navigationKeys = false;   // the keyboard's navigation keys as a pad
  int32_t device = -1;           // the SDL instance of its own pad; -1 for none
  std::array<char, 33> guid{};   // its pad's kind, to know it again when plugged back in
  bool away = false;             // its pad was pulled out: the score shows greyed until it is back
  PlayerScore score;
};
