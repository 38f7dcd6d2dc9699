// Whole decimal numbers in the player's files, the options and the devices' mappings.
#pragma once

#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

// The whole text as a decimal number from low to high: its digits alone (a
// minus sign first for a negative one), nothing before or after them.
inline std::optional<int> wholeNumber(std::string_view text, int low = 0, int high = INT_MAX) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}
