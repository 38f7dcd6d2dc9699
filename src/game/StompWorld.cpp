#include "game/StompWorld.h"

#include <cmath>
#include <memory>

#include "core/Assets.h"
#include "core/PlayerColours.h"
#include "core/Random.h"
#include "objects/Arena.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"

namespace {

constexpr int kWaveSize = 60;             // victims per wave
constexpr float kSquashRadius = 4.5f;     // units around the stomp point
constexpr float kFlingRadius = 9.0f;
constexpr int kExplosionAbove = 2;        // a stomp squashing more also explodes
constexpr float kRecordCheerVolume = 0.5f;
constexpr float kWaveCheerVolume = 0.8f;
constexpr float kJoinVolume = 0.8f;
constexpr float kShakePerVictim = 0.1f;   // camera shake amplitude per squashed victim
constexpr int kTurnDegrees = 90;          // Start, Select and every cleared wave
constexpr float kEaseRate = 4.8f;         // view-angle easing, per second
constexpr float kOrbitRadius = 24.75f;    // units
constexpr float kCameraHeight = 10;       // units
constexpr float kHeightWave = 0.25f;      // units
constexpr float kPitch = 75;              // degrees
constexpr float kPitchWobble = 0.75f;     // degrees
constexpr float kHeadingOffset = 90;      // degrees from the view angle to the camera heading
constexpr float kEverywhere = 999;        // half-size of the rectangle that lifts every foot

}  // namespace

StompWorld& StompWorld::instance() {
  static StompWorld* world = new StompWorld(victimCrowd, footManager);  // never destroyed
  return *world;
}

StompWorld::StompWorld(VictimCrowd& crowd, FootManager& feet)
    : crowd_(crowd), feet_(feet), squares_(padSquareGrid()) {}

void StompWorld::init() {
  loadSounds();
  spawnWave();
}

void StompWorld::loadSounds() {
  if (soundsLoaded_) return;
  soundsLoaded_ = true;
  for (const char* file : assets::kSquishes) squishSounds_.addSound(file);
  for (const char* file : assets::kExplosions) explosionSounds_.addSound(file);
  for (const char* file : assets::kCheers) cheerSounds_.addSound(file);
  joinSounds_.addSound(assets::kJoinChime);
}

void StompWorld::spawnWave() {
  for (int i = 0; i < kWaveSize; ++i) {
    auto victim = std::make_unique<Victim>();
    victim->load();
    victim->setPosition(arena.randomWalkPoint());
    victim->setState(Victim::Flung);  // pops up from its spot and walks once it lands
    crowd_.add(std::move(victim));
  }
}

void StompWorld::keepBestEverIn(const std::filesystem::path& file) {
  bestEverFile_.emplace(file);
  bestEver_ = bestEverFile_->load();
}

int StompWorld::squareForButton(int button) const { return ::squareForButton(button, targetAngle_); }

void StompWorld::update(float dt) {
  static const PadFrame nothingPressed;
  update(dt, inputSource_ ? inputSource_() : nothingPressed);
}

void StompWorld::update(float dt, const PadFrame& pads) {
  elapsedTime_ += dt;
  if (party_.together())
    playTogether(pads);
  else
    playAlone(pads);
  turnWhenDue(dt);
  orbitCamera(dt);
  if (party_.together()) roundLeft_ = std::max(0.0f, roundLeft_ - dt);
  if (crowd_.countActive() == 0) endWave();
}

// The classic game: each press in button order comes down on the crowd as the
// one before left it; Start and Select turn the view.
void StompWorld::playAlone(const PadFrame& pads) {
  Player& player = party_.players().front();
  ButtonStates buttons = party_.buttonsOf(player, pads);
  for (const StompPress& press : pressesOf(player, buttons))
    land(player, stompTogether(crowd_, {press}, kSquashRadius, kFlingRadius).front());
  liftReleased(player, buttons);
  if (buttons.wentDown(kButtonStart))
    targetAngle_ += kTurnDegrees;
  else if (buttons.wentDown(kButtonSelect))
    targetAngle_ -= kTurnDegrees;
}

// Everyone's presses of the frame come down together; a turn would move every
// player's squares at once, so only a cleared wave turns the view.
void StompWorld::playTogether(const PadFrame& pads) {
  std::vector<ButtonStates> buttons;  // by player, in the party's order
  std::vector<StompPress> presses;
  std::vector<Player*> pressedBy;
  for (Player& player : party_.players()) {
    buttons.push_back(party_.buttonsOf(player, pads));
    for (const StompPress& press : pressesOf(player, buttons.back())) {
      presses.push_back(press);
      pressedBy.push_back(&player);
    }
  }
  std::vector<StompLanding> landings = stompTogether(crowd_, presses, kSquashRadius, kFlingRadius);
  for (size_t k = 0; k < landings.size(); ++k) land(*pressedBy[k], landings[k]);
  for (size_t i = 0; i < buttons.size(); ++i) liftReleased(party_.players()[i], buttons[i]);
}

std::vector<StompPress> StompWorld::pressesOf(const Player& player, const ButtonStates& buttons) const {
  std::vector<StompPress> presses;
  for (int b = 0; b < kSquareCount; ++b)
    if (buttons.wentDown(b)) presses.push_back({player.slot, squares_[squareForButton(b)]});
  return presses;
}

void StompWorld::land(Player& player, const StompLanding& landing) {
  if (!landing.landed) return;
  score(player, landing.counted);
  if (party_.together())
    feet_.stompAt(landing.point.x, landing.point.y, player.slot, players::kColours[player.slot]);
  else
    feet_.stompAt(landing.point.x, landing.point.y);
  Camera::instance().shake(landing.counted * kShakePerVictim);
  squishSounds_.playRandom(kStompVolume);
}

void StompWorld::score(Player& player, int squashed) {
  PlayerScore& s = player.score;
  if (squashed > s.mostPerStomp) {
    if (s.mostPerStomp != 0) cheerSounds_.playRandom(kRecordCheerVolume);  // no cheer for the first record
    s.mostPerStomp = squashed;
  }
  if (squashed > bestEver_) {
    bestEver_ = squashed;
    // Now, so a crash later in the run cannot lose it; a higher record another
    // game has set meanwhile shows from here on.
    if (bestEverFile_) bestEver_ = bestEverFile_->save(bestEver_);
    bestEverBy_ = party_.together() && bestEver_ == squashed ? player.slot : -1;
  }
  if (squashed > kExplosionAbove) explosionSounds_.playRandom(kStompVolume);
  s.lastStomp = squashed;
  s.roundSquashed += squashed;
  s.roundBest = std::max(s.roundBest, squashed);
}

// A release lifts the player's own feet in the square, and no one else's.
void StompWorld::liftReleased(const Player& player, const ButtonStates& buttons) {
  for (int b = 0; b < kSquareCount; ++b)
    if (buttons.wentUp(b)) feet_.liftFeetIn(squares_[squareForButton(b)], player.slot);
}

void StompWorld::turnWhenDue(float dt) {
  if (turnDueIn_ <= 0) return;
  turnDueIn_ -= dt;
  if (turnDueIn_ <= 0) {
    turnDueIn_ = 0;
    targetAngle_ += kTurnDegrees;
  }
}

void StompWorld::orbitCamera(float dt) {
  float wobble = std::sin(elapsedTime_ - static_cast<float>(M_PI) / 2) * kPitchWobble;
  float a = viewAngle_ + (targetAngle_ - viewAngle_) * dt * kEaseRate;  // not clamped: a long frame overshoots
  float r = degToRad(a);
  Camera& camera = Camera::instance();
  camera.setPosition({std::cos(r) * kOrbitRadius, std::sin(r) * kOrbitRadius,
                      std::sin(elapsedTime_) * kHeightWave + kCameraHeight});
  camera.setRotationZ(a + kHeadingOffset);
  camera.setRotationX(wobble + kPitch);
  viewAngle_ = a;
}

// Alone, the view turns at once; a party sees the turn coming first.
void StompWorld::endWave() {
  cheerSounds_.playRandom(kWaveCheerVolume);
  if (party_.together())
    turnDueIn_ = kTurnWarningSeconds;
  else
    targetAngle_ += kTurnDegrees;
  spawnWave();
  feet_.liftFeetIn(-kEverywhere, -kEverywhere, kEverywhere, kEverywhere);
}

void StompWorld::joinPlayers(const PadFrame& pads) {
  int joined = party_.joinFrom(pads);
  if (joined > 0) loadSounds();  // a join on the first slide may come before the loading reaches them
  for (; joined > 0; --joined) joinSounds_.playRandom(kJoinVolume);
}

void StompWorld::startRound() {
  party_.dropAway();
  for (Player& player : party_.players()) player.score.roundSquashed = player.score.roundBest = 0;
  roundLeft_ = static_cast<float>(roundSeconds_);
}

void StompWorld::cheerRound() { cheerSounds_.playRandom(kWaveCheerVolume); }

void StompWorld::drawScore() const {
  if (scoreDrawer_) scoreDrawer_(*this);
}
