#include "game/Party.h"

#include <algorithm>

#include "core/PlayerColours.h"

Party::Party() {
  Player first;
  first.letterKeys = true;
  players_.push_back(first);
}

const Player* Party::ownerOfDevice(int32_t id) const {
  for (const Player& player : players_)
    if (id >= 0 && player.device == id) return &player;
  return nullptr;
}

// Player 1 has pad number 0 unless the device there is another player's own.
bool Party::ownsSource(const Player& player, const PadFrame& pads, int source) const {
  if (source == PadFrame::kKeyboard) return player.letterKeys;
  if (source == PadFrame::kNavigationKeys) return player.navigationKeys;
  const PadDevice& device = pads.devices[source];
  if (player.letterKeys) return source == 0 && !ownerOfDevice(device.id);
  return device.connected() && device.id == player.device;
}

bool Party::anyoneOwns(const PadFrame& pads, int source) const {
  return std::any_of(players_.begin(), players_.end(),
                     [&](const Player& player) { return ownsSource(player, pads, source); });
}

ButtonStates Party::buttonsOf(const Player& player, const PadFrame& pads) const {
  ButtonStates merged;
  for (int source = 0; source < PadFrame::kSources; ++source) {
    if (!ownsSource(player, pads, source)) continue;
    merged.pressed |= pads.sources[source].pressed;
    merged.released |= pads.sources[source].released;
    merged.held |= pads.sources[source].held;
  }
  return merged;
}

bool Party::anyPressed(int button, const PadFrame& pads) const {
  return std::any_of(players_.begin(), players_.end(),
                     [&](const Player& player) { return buttonsOf(player, pads).wentDown(button); });
}

void Party::track(const PadFrame& pads) {
  for (Player& player : players_) {
    if (player.device < 0) continue;
    bool present = std::any_of(pads.devices.begin(), pads.devices.end(),
                               [&](const PadDevice& device) { return device.id == player.device; });
    if (!present) {
      player.device = -1;
      player.away = true;
    }
  }
  for (const PadDevice& device : pads.devices) {
    if (!device.connected() || ownerOfDevice(device.id)) continue;
    for (Player& player : players_) {
      if (player.away && player.guid == device.guid) {
        player.device = device.id;
        player.away = false;
        break;
      }
    }
  }
}

int Party::freeSlot() const {
  for (int slot = 0; slot < players::kMaxPlayers; ++slot)
    if (std::none_of(players_.begin(), players_.end(), [&](const Player& p) { return p.slot == slot; })) return slot;
  return -1;
}

int Party::joinFrom(const PadFrame& pads) {
  int joined = 0;
  for (int source = 0; source < PadFrame::kSources; ++source) {
    if (source == PadFrame::kKeyboard || !pads.sources[source].wentDown(kButtonStart)) continue;
    if (source < kMaxPads && !pads.devices[source].connected()) continue;
    int slot = freeSlot();
    if (slot < 0 || anyoneOwns(pads, source)) continue;
    Player player;
    player.slot = slot;
    player.navigationKeys = source == PadFrame::kNavigationKeys;
    if (!player.navigationKeys) {
      player.device = pads.devices[source].id;
      player.guid = pads.devices[source].guid;
    }
    players_.push_back(player);
    std::sort(players_.begin(), players_.end(), [](const Player& a, const Player& b) { return a.slot < b.slot; });
    ++joined;
  }
  return joined;
}

namespace {

bool ranksAbove(const Player& a, const Player& b) {
  if (a.score.roundSquashed != b.score.roundSquashed) return a.score.roundSquashed > b.score.roundSquashed;
  if (a.score.roundBest != b.score.roundBest) return a.score.roundBest > b.score.roundBest;
  return a.slot < b.slot;
}

bool tie(const Player& a, const Player& b) {
  return a.score.roundSquashed == b.score.roundSquashed && a.score.roundBest == b.score.roundBest;
}

}  // namespace

std::vector<Player> Party::ranked() const {
  std::vector<Player> order = players_;
  std::sort(order.begin(), order.end(), ranksAbove);
  return order;
}

int Party::winner() const {
  std::vector<Player> order = ranked();
  if (order.size() > 1 && tie(order[0], order[1])) return -1;
  return order.front().slot;
}

void Party::dropAway() {
  std::erase_if(players_, [](const Player& player) { return player.away; });
}
