#include "input/DancePad.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "core/Log.h"
#include "input/ControllerLayout.h"

namespace {

constexpr int kEventBatch = 64;
const std::vector<PadInputId> kNoInputs;

}  // namespace

DancePad::~DancePad() {
  if (!joystickReady_) return;
  for (Device& d : devices_)
    if (d.joystick) SDL_JoystickClose(d.joystick);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

// Joysticks, and SDL's knowledge of game controllers, but no SDL video: the
// window belongs to GLUT, so SDL must read pads without a focused window of its
// own and must leave Ctrl-C and SIGTERM alone. A failure leaves the game on the
// keyboard.
void DancePad::open() {
  if (joystickReady_) return;
  mappingFile_ = PadMappingFile(PadMappingFile::defaultPath());
  mappingFile_.load();
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;  // brings the joysticks and SDL's event queue up too
  addPlayerControllerMappings();
  SDL_JoystickEventState(SDL_ENABLE);  // every change is queued, so taps between polls survive
  joystickReady_ = true;
  openNewPads();
}

// SDL_JoystickUpdate reads the open pads, queues an event for every change and
// notices pads plugged in or pulled out. A number freed in this poll is reused
// at the next one at the earliest, so the pulled pad's slots read off for one
// frame and every held slot is released once.
void DancePad::poll() {
  if (!joystickReady_) return;
  for (Device& d : devices_) d.cameOn.clear();
  SDL_JoystickUpdate();
  readEvents();
  openNewPads();
  dropDetachedPads();
  // The events told every change in order; the state read afterwards agrees
  // with them unless SDL dropped some, and opens a new pad's inputs.
  for (Device& d : devices_)
    if (d.joystick) syncWithDevice(d);
  for (int pad = 0; pad < kMaxPads; ++pad) readPad(pad);
  if (traceTransitions) printTransitions();
}

bool DancePad::eventsWaiting() {
  if (!joystickReady_) return false;
  SDL_JoystickUpdate();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_JOYAXISMOTION, SDL_FINGERDOWN - 1) > 0;
}

// Only the joystick and game controller events; anything else in SDL's queue is
// not ours. The controller events say nothing the joystick's do not.
void DancePad::readEvents() {
  SDL_Event events[kEventBatch];
  int count = 0;
  while ((count = SDL_PeepEvents(events, kEventBatch, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_FINGERDOWN - 1)) > 0) {
    for (int i = 0; i < count; ++i) {
      const SDL_Event& e = events[i];
      switch (e.type) {
        case SDL_JOYAXISMOTION:
          if (Device* d = deviceById(e.jaxis.which)) setAxis(*d, e.jaxis.axis, e.jaxis.value);
          break;
        case SDL_JOYHATMOTION:
          if (Device* d = deviceById(e.jhat.which)) setHat(*d, e.jhat.hat, e.jhat.value);
          break;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
          if (Device* d = deviceById(e.jbutton.which)) setButton(*d, e.jbutton.button, e.jbutton.state == SDL_PRESSED);
          break;
        default:  // devices added and removed are found by openNewPads and dropDetachedPads
          break;
      }
    }
  }
}

DancePad::Device* DancePad::deviceById(SDL_JoystickID id) {
  for (Device& d : devices_)
    if (d.joystick && d.id == id) return &d;
  return nullptr;
}

// Opens attached devices that are not open yet, in device order, into the lowest
// free pad numbers; devices beyond four wait until a number is free.
void DancePad::openNewPads() {
  for (int device = 0; device < SDL_NumJoysticks(); ++device) {
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
    if (id < 0 || deviceById(id)) continue;
    int pad = lowestFreePad();
    if (pad < 0) break;
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    if (!joystick) continue;  // tried again at the next poll
    openDevice(pad, joystick, id, controllerLayoutOf(device));
  }
}

// A mapping saved for the device wins; else a game controller plays with its
// layout, and any other pad with the defaults.
void DancePad::openDevice(int pad, SDL_Joystick* joystick, SDL_JoystickID id, const std::optional<PadMapping>& layout) {
  Device& d = devices_[pad];
  d = Device{};
  d.joystick = joystick;
  d.id = id;
  const char* name = SDL_JoystickName(joystick);
  d.name = name ? name : "";
  char guid[33] = "";
  SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick), guid, sizeof guid);
  d.guid = guid;
  const PadMapping* saved = mappingFile_.find(d.guid);
  d.mapping = saved ? *saved : layout.value_or(PadMapping::defaults());
  d.buttons.assign(static_cast<size_t>(std::max(0, SDL_JoystickNumButtons(joystick))), false);
  d.hats.assign(static_cast<size_t>(std::max(0, SDL_JoystickNumHats(joystick))), SDL_HAT_CENTERED);
  d.axes.assign(static_cast<size_t>(std::max(0, SDL_JoystickNumAxes(joystick))), 0);
  syncWithDevice(d, false);  // held inputs read as pressed at this poll, but came on before it
  logTrace("\nPad %d: opened \"%s\" (buttons %d, hats %d, axes %d, GUID %s)", pad, d.name.c_str(),
              static_cast<int>(d.buttons.size()), static_cast<int>(d.hats.size()), static_cast<int>(d.axes.size()),
              d.guid.c_str());
  if (saved)
    logTrace("\nPad %d: saved mapping from %s", pad, mappingFile_.path().c_str());
  else if (layout)
    logTrace("\nPad %d: controller layout", pad);
  else
    logTrace("\nPad %d: default mapping", pad);
}

void DancePad::dropDetachedPads() {
  for (Device& d : devices_) {
    if (d.joystick && !SDL_JoystickGetAttached(d.joystick)) {
      SDL_JoystickClose(d.joystick);
      d = Device{};
    }
  }
}

int DancePad::lowestFreePad() const {
  for (int pad = 0; pad < kMaxPads; ++pad)
    if (!devices_[pad].joystick) return pad;
  return -1;
}

// Each read takes the oldest slot change still pending; a free pad number reads
// as a pad with nothing pressed.
void DancePad::readPad(int pad) {
  Device& d = devices_[pad];
  for (int slot = 0; slot < kPadSlots; ++slot) {
    previous[pad][slot] = current[pad][slot];
    if (!d.joystick) {
      current[pad][slot] = false;
    } else if (!d.pending[slot].empty()) {
      current[pad][slot] = d.pending[slot].front();
      d.pending[slot].pop_front();
    }
  }
}

void DancePad::setButton(Device& d, int index, bool down, bool record) {
  if (index < 0 || index >= static_cast<int>(d.buttons.size()) || d.buttons[index] == down) return;
  d.buttons[index] = down;
  if (down && record) d.cameOn.push_back(PadInputId::button(index));
  refreshSlots(d);
}

void DancePad::setHat(Device& d, int index, int bits, bool record) {
  if (index < 0 || index >= static_cast<int>(d.hats.size()) || d.hats[index] == bits) return;
  int before = d.hats[index];
  d.hats[index] = bits;
  for (int direction : {PadInputId::kHatUp, PadInputId::kHatRight, PadInputId::kHatDown, PadInputId::kHatLeft})
    if (record && (bits & direction) && !(before & direction)) d.cameOn.push_back(PadInputId::hat(index, direction));
  refreshSlots(d);
}

void DancePad::setAxis(Device& d, int index, int value, bool record) {
  if (index < 0 || index >= static_cast<int>(d.axes.size())) return;
  int before = d.axes[index];
  d.axes[index] = value;
  bool changed = false;
  for (int direction : {-1, +1}) {
    bool on = axisDirectionOn(value, direction);
    if (on == axisDirectionOn(before, direction)) continue;
    changed = true;
    if (on && record) d.cameOn.push_back(PadInputId::axis(index, direction));
  }
  if (changed) refreshSlots(d);
}

void DancePad::syncWithDevice(Device& d, bool record) {
  for (size_t i = 0; i < d.buttons.size(); ++i)
    setButton(d, static_cast<int>(i), SDL_JoystickGetButton(d.joystick, static_cast<int>(i)) != 0, record);
  for (size_t i = 0; i < d.hats.size(); ++i)
    setHat(d, static_cast<int>(i), SDL_JoystickGetHat(d.joystick, static_cast<int>(i)), record);
  for (size_t i = 0; i < d.axes.size(); ++i)
    setAxis(d, static_cast<int>(i), SDL_JoystickGetAxis(d.joystick, static_cast<int>(i)), record);
}

// A slot that flips is queued for a later read. The queue alternates on and
// off; when it is full the newest change is taken back instead, which drops
// one whole tap and never leaves the slot in the wrong state.
void DancePad::refreshSlots(Device& d) {
  for (int slot = 0; slot < kPadSlots; ++slot) {
    bool on = false;
    for (const PadInputId& input : d.mapping.slots[slot]) on = on || inputOn(d, input);
    if (on == d.slotOn[slot]) continue;
    d.slotOn[slot] = on;
    if (d.pending[slot].size() >= kMaxPending)
      d.pending[slot].pop_back();
    else
      d.pending[slot].push_back(on);
  }
}

bool DancePad::inputOn(const Device& d, const PadInputId& input) {
  int n = input.index;
  switch (input.kind) {
    case PadInputId::Button:
      return n >= 0 && n < static_cast<int>(d.buttons.size()) && d.buttons[n];
    case PadInputId::Hat:
      return n >= 0 && n < static_cast<int>(d.hats.size()) && (d.hats[n] & input.direction) != 0;
    case PadInputId::Axis:
      return n >= 0 && n < static_cast<int>(d.axes.size()) && axisDirectionOn(d.axes[n], input.direction);
  }
  return false;
}

SDL_JoystickID DancePad::instanceId(int pad) const { return connected(pad) ? device(pad)->id : -1; }
std::string DancePad::deviceName(int pad) const { return connected(pad) ? device(pad)->name : ""; }
std::string DancePad::guid(int pad) const { return connected(pad) ? device(pad)->guid : ""; }
PadMapping DancePad::mapping(int pad) const { return connected(pad) ? device(pad)->mapping : PadMapping::defaults(); }

const std::vector<PadInputId>& DancePad::inputsCameOn(int pad) const {
  return connected(pad) ? device(pad)->cameOn : kNoInputs;
}

bool DancePad::setMapping(int pad, const PadMapping& mapping) {
  if (!connected(pad)) return false;
  std::string guid = devices_[pad].guid, name = devices_[pad].name;
  for (int other = 0; other < kMaxPads; ++other) {
    Device& d = devices_[other];
    if (!d.joystick || d.guid != guid) continue;
    d.mapping = mapping;
    refreshSlots(d);
    logTrace("\nPad %d: mapping set up", other);
  }
  return mappingFile_.save(guid, name, mapping);
}

void DancePad::printTransitions() const {
  for (int pad = 0; pad < kMaxPads; ++pad) {
    char label[16];
    std::snprintf(label, sizeof label, "Pad %d", pad);
    for (int slot = 0; slot < kPadSlots; ++slot) {
      if (current[pad][slot] && !previous[pad][slot]) logTrace("\n%s: %s on", label, buttonName(slot));
      if (!current[pad][slot] && previous[pad][slot]) logTrace("\n%s: %s off", label, buttonName(slot));
    }
  }
}
