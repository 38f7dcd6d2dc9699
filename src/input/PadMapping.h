// PadMapping: which of a device's inputs feed each of the ten pad slots. An
// input is a button, one direction of a hat or one direction of an axis; a
// slot is on while any input mapped to it is on. Inputs read and write as
// text ("button 12", "hat 0 up", "axis 1 -") for the mapping file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kMaxPads = 4;    // dance pads read at once, numbered 0..3
constexpr int kPadSlots = 10;  // Start, Select, UpLeft, Up, UpRight, Right, DownRight, Down, DownLeft, Left

// Slot numbers, as DancePad's current and previous index them.
enum PadSlot {
  kSlotStart = 0, kSlotSelect, kSlotUpLeft, kSlotUp, kSlotUpRight,
  kSlotRight, kSlotDownRight, kSlotDown, kSlotDownLeft, kSlotLeft,
};

struct PadInputId {
  enum Kind { Button, Hat, Axis };
  // Hat directions are SDL's hat bits; axis directions are -1 and +1.
  static constexpr int kHatUp = 1, kHatRight = 2, kHatDown = 4, kHatLeft = 8;

  Kind kind = Button;
  int index = 0;      // button, hat or axis number on the device
  int direction = 0;  // 0 for a button

  static PadInputId button(int index) { return {Button, index, 0}; }
  static PadInputId hat(int index, int direction) { return {Hat, index, direction}; }
  static PadInputId axis(int index, int direction) { return {Axis, index, direction}; }
  bool operator==(const PadInputId&) const = default;
};

// "button 12", "hat 0 up", "axis 1 -"; parseInput reads the same forms (and
// any amount of blank space between the words), nothing else.
std::string describeInput(const PadInputId& input);
std::optional<PadInputId> parseInput(std::string_view text);

// An axis direction is on past half the axis's range.
bool axisDirectionOn(int value, int direction);

struct PadMapping {
  std::vector<PadInputId> slots[kPadSlots];

  // Buttons 0 to 9 as the classic pad table, the first hat's four directions and the
  // directions of axes 0 (x) and 1 (y) on the four arrows.
  static PadMapping defaults();
  bool operator==(const PadMapping&) const = default;
};

// "Start", "Select", "UpLeft", ...; "" for any other slot number.
const char* buttonName(int slot);
// The slot of a name of buttonName, in any letter case; -1 for none.
int slotNamed(std::string_view name);
