#include "objects/Foot.h"

#include <algorithm>

#include "core/Assets.h"
#include "core/Random.h"
#include "core/Sprites.h"
#include "media/Texture.h"
#include "objects/Billboard.h"
#include "render/Render.h"

FootManager footManager;

namespace {

constexpr float kPlantedTime = 1.0f;  // seconds a foot stays down unless lifted
constexpr float kRiseTime = 0.5f;     // seconds from lift to removal
constexpr float kRiseSpeed = 40;      // units per second
constexpr float kShadowTopHeight = 20;  // the shadow shrinks to nothing at this height
constexpr float kFootShadowAlpha = 0.25f;

}  // namespace

void Foot::update(float dt) {
  age_ += dt;
  stateTime_ += dt;
  if (state() == Planted) {
    if (stateTime_ > kPlantedTime) setState(Rising);
  } else if (state() == Rising) {
    if (stateTime_ > kRiseTime)
      setState(Finished);
    else
      position().z = stateTime_ * kRiseSpeed;
  }
}

void Foot::drawGround() {
  if (state() == Finished) return;
  const Vec3& p = position();
  setColor(1, 1, 1, kFootShadowAlpha);
  pushMatrix();
  translate(p.x, p.y, 0);
  float s = (kShadowTopHeight - p.z) * 0.5f;  // a pad square wide while planted
  scale(s, s, 1);
  drawQuad(shadowList_);
  popMatrix();
}

void Foot::draw() {
  if (state() == Finished) return;
  setColor(tint_.r / 255.0f, tint_.g / 255.0f, tint_.b / 255.0f, 1);
  pushMatrix();
  faceCamera(position());
  drawStanding(footList_, sprite::kFoot.width, sprite::kFoot.height);
  popMatrix();
}

void FootManager::load() {
  TextureRegistry::instance().pack({std::begin(assets::kFeet), std::end(assets::kFeet)});
  for (const char* file : assets::kFeet) loadPrototype(file);
}

void FootManager::loadPrototype(const char* fileName) {
  QuadBuilder& quads = QuadBuilder::instance();
  unsigned footList = quads.makeQuadList(fileName, 0, sprite::kFoot.centreY);
  unsigned shadowList = quads.makeQuadList(assets::kShadow, 0, 0);
  std::unique_ptr<Foot> prototype(new Foot(footList, shadowList));
  prototype->state_ = Foot::Planted;
  prototypes_.push_back(std::move(prototype));
}

void FootManager::stompAt(float x, float y, int owner, assets::Rgb8 tint) {
  std::unique_ptr<Foot> foot(new Foot(0, 0));  // no pictures loaded: an invisible foot keeps the timing
  if (!prototypes_.empty()) {
    const Foot& prototype = *prototypes_[randomInt(static_cast<int>(prototypes_.size()))];
    foot->footList_ = prototype.footList_;
    foot->shadowList_ = prototype.shadowList_;
  }
  foot->owner_ = owner;
  foot->tint_ = tint;
  foot->setState(Foot::Planted);
  foot->setPosition({x, y, 0});
  feet_.push_back(std::move(foot));
}

void FootManager::liftFeetIn(const Rect& area, int owner) {
  for (auto& foot : feet_) {
    bool owned = owner == Foot::kAnyOwner || foot->owner_ == owner;
    if (owned && foot->state() == Foot::Planted && area.contains(foot->position().x, foot->position().y))
      foot->setState(Foot::Rising);
  }
}

void FootManager::update(float dt) {
  for (auto& foot : feet_) foot->update(dt);
  std::erase_if(feet_, [](const std::unique_ptr<Foot>& foot) { return foot->state() == Foot::Finished; });
}

void FootManager::drawGround() {
  markPass(passes::kFootShadows);
  setDepthTest(false);
  setTexturing(true, true);
  setColor(1, 1, 1, 1);
  for (auto& foot : feet_) foot->drawGround();
}

void FootManager::draw() {
  markPass(passes::kFeet);
  setDepthTest(true);
  setTexturing(true, true);
  setColor(1, 1, 1, 1);
  for (auto& foot : feet_) foot->draw();
}
