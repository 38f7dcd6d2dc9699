#include "game/StompWorld.h"

#include <cmath>
#include <memory>

#include "core/Assets.h"
#include "core/Random.h"
#include "game/VictimCrowd.h"
#include "input/PadInput.h"
#include "objects/Arena.h"
#include "objects/Camera.h"
#include "objects/Foot.h"

namespace {

constexpr int kWaveSize = 60;             // victims per wave
constexpr float kSquashRadius = 4.5f;     // units around the stomp point
constexpr float kFlingRadius = 9.0f;
constexpr int kExplosionAbove = 2;        // a stomp squashing more also explodes
constexpr float kRecordCheerVolume = 0.5f;
constexpr float kWaveCheerVolume = 0.8f;
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
  for (const char* file : assets::kSquishes) squishSounds_.addSound(file);
  for (const char* file : assets::kExplosions) explosionSounds_.addSound(file);
  for (const char* file : assets::kCheers) cheerSounds_.addSound(file);
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
  elapsedTime_ += dt;
  PadInput& pad = PadInput::instance();
  for (int b = 0; b < kSquareCount; ++b)
    if (pad.pressed(b, 0)) stomp(b);
  for (int b = 0; b < kSquareCount; ++b) {
    if (!pad.released(b, 0)) continue;
    const PadSquare& q = squares_[squareForButton(b)];
    feet_.liftFeetIn(q.minX, q.minY, q.maxX, q.maxY);
  }
  if (pad.pressed(kButtonStart, 0))
    targetAngle_ += kTurnDegrees;
  else if (pad.pressed(kButtonSelect, 0))
    targetAngle_ -= kTurnDegrees;
  orbitCamera(dt);
  if (crowd_.countActive() == 0) endWave();
}

void StompWorld::stomp(int button) {
  const PadSquare& q = squares_[squareForButton(button)];
  Victim* target = crowd_.nearestWalking(q.centre());
  // The nearest walking victim must stand on the square, else the press does nothing.
  if (!target || !target->isInsideBox({q.minX, q.minY, 0}, {q.maxX, q.maxY, 0})) return;
  Vec3 p = target->position();
  int squashed = crowd_.squash(p, kSquashRadius, kFlingRadius);
  score(squashed);
  feet_.stompAt(p.x, p.y);
  Camera::instance().shake(squashed * kShakePerVictim);
  squishSounds_.playRandom(kStompVolume);
}

void StompWorld::score(int squashed) {
  if (squashed > mostPerStomp_) {
    if (mostPerStomp_ != 0) cheerSounds_.playRandom(kRecordCheerVolume);  // no cheer for the first record
    mostPerStomp_ = squashed;
  }
  if (squashed > bestEver_) {
    bestEver_ = squashed;
    // Now, so a crash later in the run cannot lose it; a higher record another
    // game has set meanwhile shows from here on.
    if (bestEverFile_) bestEver_ = bestEverFile_->save(bestEver_);
  }
  if (squashed > kExplosionAbove) explosionSounds_.playRandom(kStompVolume);
  lastStomp_ = squashed;
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

void StompWorld::endWave() {
  cheerSounds_.playRandom(kWaveCheerVolume);
  targetAngle_ += kTurnDegrees;
  spawnWave();
  feet_.liftFeetIn(-kEverywhere, -kEverywhere, kEverywhere, kEverywhere);
}
