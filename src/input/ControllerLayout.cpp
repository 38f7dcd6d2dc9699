#include "input/ControllerLayout.h"

#include <SDL.h>

#include <charconv>
#include <filesystem>
#include <string>

#include "core/Log.h"
#include "core/UserFiles.h"

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

std::optional<int> number(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
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
  std::optional<int> index = number(rest.substr(0, dot));
  if (!index) return std::nullopt;
  if (bind[0] == 'b' && dot == std::string_view::npos) return PadInputId::button(*index);
  if (bind[0] == 'a' && dot == std::string_view::npos) return PadInputId::axis(*index, direction);
  std::optional<int> hatBits = dot == std::string_view::npos ? std::nullopt : number(rest.substr(dot + 1));
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

void addPlayerControllerMappings() {
  std::filesystem::path dir = userfiles::gameDir(userfiles::Kind::Config);
  std::error_code error;
  if (dir.empty() || !std::filesystem::is_regular_file(dir / kControllerMappings, error)) return;
  std::string file = (dir / kControllerMappings).string();
  if (SDL_GameControllerAddMappingsFromFile(file.c_str()) < 0)
    logLine("cannot read the controller mappings in %s: %s", file.c_str(), SDL_GetError());
}

std::optional<PadMapping> controllerLayoutOf(int device) {
  char* mapping = SDL_GameControllerMappingForDeviceIndex(device);
  if (!mapping) return std::nullopt;
  std::optional<PadMapping> layout = controllerLayout(mapping);
  SDL_free(mapping);
  return layout;
}
