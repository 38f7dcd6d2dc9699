#include "input/ControllerLayout.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "core/Log.h"
#include "core/UserFiles.h"
#include "core/WholeNumber.h"

namespace {

// The controller's buttons (and halves of its stick's axes, as SDL writes
// them) and the slot each one feeds.
struct Output {
  std::string_view name;
  int slot;
};
constexpr Output kOutputs[] = {
    {"dpup", kSlotUp},        {"dpdown", kSlotDown},      {"dpleft", kSlotLeft},   {"dpright", kSlotRight},
    {"a", kSlotDownLeft},     {"b", kSlotDownRight},      {"x", kSlotUpLeft},      {"y", kSlotUpRight},
    {"start", kSlotStart},    {"back", kSlotSelect},      {"-leftx", kSlotLeft},   {"+leftx", kSlotRight},
    {"-lefty", kSlotUp},      {"+lefty", kSlotDown},
};
constexpr std::string_view kStickAxes[] = {"leftx", "lefty"};
// Controller mappings of the player's own, in the file SDL's convention names.
constexpr const char* kControllerMappings = "gamecontrollerdb.txt";
constexpr size_t kMaxMappingsBytes = size_t{4} << 20;  // bytes: room for thousands of controllers

// The devices the player's own mappings name (SDL_GAMECONTROLLERCONFIG and the
// file), by GUID in lower case: their layouts are used whatever the device is.
std::set<std::string> playerMapped;

// The GUID each line of mappings starts with.
void notePlayerMapped(const std::string& lines) {
  size_t start = 0;
  while (start < lines.size()) {
    size_t end = std::min(lines.find('\n', start), lines.size());
    std::string guid = lines.substr(start, std::min(lines.find(',', start), end) - start);
    std::transform(guid.begin(), guid.end(), guid.begin(), [](unsigned char c) { return std::tolower(c); });
    if (!guid.empty() && guid[0] != '#') playerMapped.insert(guid);
    start = end + 1;
  }
}

// One of SDL's inputs that acts as a button: "b3", "h0.4", "-a1" or "+a1" (with
// "~" after it, the other direction); a whole axis "a2" counts as its + half.
std::optional<PadInputId> buttonInput(std::string_view bind) {
  int direction = 1;
  if (bind.starts_with('-') || bind.starts_with('+')) {
    direction = bind[0] == '-' ? -1 : 1;
    bind.remove_prefix(1);
  }
  if (bind.ends_with('~')) {
    direction = -direction;
    bind.remove_suffix(1);
  }
  if (bind.size() < 2) return std::nullopt;
  std::string_view rest = bind.substr(1);
  size_t dot = rest.find('.');
  std::optional<int> index = wholeNumber(rest.substr(0, dot));
  if (!index) return std::nullopt;
  if (bind[0] == 'b' && dot == std::string_view::npos) return PadInputId::button(*index);
  if (bind[0] == 'a' && dot == std::string_view::npos) return PadInputId::axis(*index, direction);
  std::optional<int> hatBits = dot == std::string_view::npos ? std::nullopt : wholeNumber(rest.substr(dot + 1));
  if (bind[0] == 'h' && hatBits) return PadInputId::hat(*index, *hatBits);
  return std::nullopt;
}

void add(PadMapping& mapping, std::string_view output, std::string_view bind) {
  for (const Output& known : kOutputs) {
    if (known.name != output) continue;
    if (std::optional<PadInputId> input = buttonInput(bind)) mapping.slots[known.slot].push_back(*input);
  }
}

// "name:bind"; a whole stick axis bound to a whole axis feeds both of its halves.
void addField(PadMapping& mapping, std::string_view field) {
  size_t colon = field.find(':');
  if (colon == std::string_view::npos) return;
  std::string_view output = field.substr(0, colon), bind = field.substr(colon + 1);
  for (std::string_view axis : kStickAxes) {
    if (output != axis || !bind.starts_with('a')) continue;
    bool inverted = bind.ends_with('~');
    std::string_view plain = inverted ? bind.substr(0, bind.size() - 1) : bind;
    add(mapping, std::string("-").append(axis), std::string(inverted ? "+" : "-").append(plain));
    add(mapping, std::string("+").append(axis), std::string(inverted ? "-" : "+").append(plain));
    return;
  }
  add(mapping, output, bind);
}

}  // namespace

std::optional<PadMapping> controllerLayout(std::string_view sdlMapping) {
  PadMapping mapping;
  int fieldNumber = 0;
  while (!sdlMapping.empty()) {
    size_t comma = sdlMapping.find(',');
    if (++fieldNumber > 2) addField(mapping, sdlMapping.substr(0, comma));  // after the GUID and the name
    sdlMapping.remove_prefix(comma == std::string_view::npos ? sdlMapping.size() : comma + 1);
  }
  for (const auto& inputs : mapping.slots)
    if (!inputs.empty()) return mapping;
  return std::nullopt;
}

// The file is read once, here, and handed to SDL from memory.
void addPlayerControllerMappings() {
  if (const char* variable = std::getenv("SDL_GAMECONTROLLERCONFIG")) notePlayerMapped(variable);
  std::filesystem::path dir = userfiles::gameDir(userfiles::Kind::Config);
  if (dir.empty()) return;
  std::string file = (dir / kControllerMappings).string();
  userfiles::FileText text = userfiles::readSmallFile(file, kMaxMappingsBytes);
  if (text.missing()) return;
  std::string why = text.error.message();
  if (!text.error) {
    SDL_RWops* memory = SDL_RWFromConstMem(text.text.data(), static_cast<int>(text.text.size()));
    if (SDL_GameControllerAddMappingsFromRW(memory, 1) >= 0) return notePlayerMapped(text.text);
    why = SDL_GetError();
  }
  logLine("cannot read the controller mappings in %s: %s", file.c_str(), why.c_str());
}

// SDL's own list also lays out generic adapter chips, for the gamepads built on
// them; the dance mats built on the same chips wire their buttons otherwise
// (the common USB adapter 0079:0011 is listed as an SNES pad, with the arrows'
// buttons on the face buttons). So a layout from SDL's list is used only for a
// controller whose maker SDL knows (Xbox, PlayStation, Switch, ...); any
// layout the player gave is used for any device.
bool layoutFits(int device) {
  if (SDL_GameControllerTypeForIndex(device) != SDL_CONTROLLER_TYPE_UNKNOWN) return true;
  char guid[33] = "";
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device), guid, sizeof guid);
  return playerMapped.contains(guid);
}

std::optional<PadMapping> controllerLayoutOf(int device) {
  if (!layoutFits(device)) return std::nullopt;
  char* mapping = SDL_GameControllerMappingForDeviceIndex(device);
  if (!mapping) return std::nullopt;
  std::optional<PadMapping> layout = controllerLayout(mapping);
  SDL_free(mapping);
  return layout;
}
