#include "input/PadMapping.h"

#include <cstdlib>

#include "core/WholeNumber.h"

namespace {

constexpr const char* kSlotNames[kPadSlots] = {"Start", "Select",    "UpLeft", "Up",       "UpRight",
                                               "Right", "DownRight", "Down",   "DownLeft", "Left"};

// The classic pad table: the joystick button that feeds each slot by default
// (button 0 Left, 1 Down, 2 Up, 3 Right, 4 DownLeft, 5 DownRight, 6 UpLeft, 7 UpRight, 8 Start, 9 Select).
constexpr int kDefaultButtons[kPadSlots] = {8, 9, 6, 2, 7, 3, 5, 1, 4, 0};

constexpr int kHalfRange = 16384;  // of SDL's -32768..32767

struct HatWord {
  int direction;
  const char* word;
};
constexpr HatWord kHatWords[] = {{PadInputId::kHatUp, "up"},
                                 {PadInputId::kHatRight, "right"},
                                 {PadInputId::kHatDown, "down"},
                                 {PadInputId::kHatLeft, "left"}};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isBlank(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !isBlank(text[i])) ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
}

// A plain decimal number of at most three digits: devices have fewer than 1000 inputs of a kind.
std::optional<int> number(std::string_view text) { return text.size() > 3 ? std::nullopt : wholeNumber(text); }

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string describeInput(const PadInputId& input) {
  std::string text;
  switch (input.kind) {
    case PadInputId::Button:
      return "button " + std::to_string(input.index);
    case PadInputId::Hat:
      text = "hat " + std::to_string(input.index);
      for (const HatWord& hat : kHatWords)
        if (hat.direction == input.direction) return text + " " + hat.word;
      return text + " ?";
    case PadInputId::Axis:
      return "axis " + std::to_string(input.index) + (input.direction < 0 ? " -" : " +");
  }
  return "?";
}

std::optional<PadInputId> parseInput(std::string_view text) {
  std::vector<std::string_view> w = words(text);
  if (w.size() < 2) return std::nullopt;
  std::optional<int> index = number(w[1]);
  if (!index) return std::nullopt;
  if (w[0] == "button" && w.size() == 2) return PadInputId::button(*index);
  if (w[0] == "hat" && w.size() == 3) {
    for (const HatWord& hat : kHatWords)
      if (w[2] == hat.word) return PadInputId::hat(*index, hat.direction);
  }
  if (w[0] == "axis" && w.size() == 3) {
    if (w[2] == "-") return PadInputId::axis(*index, -1);
    if (w[2] == "+") return PadInputId::axis(*index, +1);
  }
  return std::nullopt;
}

bool axisDirectionOn(int value, int direction) {
  return direction < 0 ? value <= -kHalfRange : value >= kHalfRange;
}

PadMapping PadMapping::defaults() {
  PadMapping mapping;
  for (int slot = 0; slot < kPadSlots; ++slot) mapping.slots[slot].push_back(PadInputId::button(kDefaultButtons[slot]));
  mapping.slots[kSlotUp].push_back(PadInputId::hat(0, PadInputId::kHatUp));
  mapping.slots[kSlotRight].push_back(PadInputId::hat(0, PadInputId::kHatRight));
  mapping.slots[kSlotDown].push_back(PadInputId::hat(0, PadInputId::kHatDown));
  mapping.slots[kSlotLeft].push_back(PadInputId::hat(0, PadInputId::kHatLeft));
  mapping.slots[kSlotLeft].push_back(PadInputId::axis(0, -1));
  mapping.slots[kSlotRight].push_back(PadInputId::axis(0, +1));
  mapping.slots[kSlotUp].push_back(PadInputId::axis(1, -1));
  mapping.slots[kSlotDown].push_back(PadInputId::axis(1, +1));
  return mapping;
}

const char* buttonName(int slot) { return slot >= 0 && slot < kPadSlots ? kSlotNames[slot] : ""; }

int slotNamed(std::string_view name) {
  for (int slot = 0; slot < kPadSlots; ++slot)
    if (sameIgnoringCase(name, kSlotNames[slot])) return slot;
  return -1;
}
