// Party: the players and what each plays with, followed frame by frame as pads
// come and go. Player 1 is always there, on pad number 0 and the letter keys:
// alone, that is the solo game. Any other pad, or the keyboard's navigation
// keys, joins as the next free player with its first Start on a slide. A
// player whose pad is pulled out is away, with the score kept, until a pad of
// the same kind comes back; one still out when a round ends leaves.
#pragma once

#include <vector>

#include "game/Player.h"

class Party {
 public:
  Party();

  const std::vector<Player>& players() const { return players_; }
  std::vector<Player>& players() { return players_; }
  // More than one player: rounds, colours, no view turns by Start or Select.
  bool together() const { return players_.size() > 1; }

  // Once a frame: players whose pad went away are away; a pad of an away
  // player's kind that is not anyone's comes back to them.
  void track(const PadFrame& pads);
  // Sources that pressed Start and are no player's join, as many as there are
  // free places; returns how many joined.
  int joinFrom(const PadFrame& pads);
  // Players whose pad is still out leave.
  void dropAway();

  // The player's buttons this frame, from every source they play with.
  ButtonStates buttonsOf(const Player& player, const PadFrame& pads) const;
  // Whether any player pressed the button this frame.
  bool anyPressed(int button, const PadFrame& pads) const;

  // The players best first: most victims squashed in the round, then the best
  // stomp of the round, then the lower player number.
  std::vector<Player> ranked() const;
  // The slot of the round's winner; -1 when the first two tie on both counts.
  int winner() const;

 private:
  const Player* ownerOfDevice(int32_t id) const;
  bool ownsSource(const Player& player, const PadFrame& pads, int source) const;
  bool anyoneOwns(const PadFrame& pads, int source) const;
  int freeSlot() const;

  std::vector<Player> players_;  // by slot, player 1 first
};
