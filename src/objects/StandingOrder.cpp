#include "objects/StandingOrder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Random.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"

namespace {

struct Standing {
  float depth;  // units along the camera's heading
  int order;    // victims in list order, then the feet: the tie-break, as they were drawn before
  GameObject* object;
  const char* pass;
};

std::vector<Standing> standing;  // kept between frames, so a frame allocates nothing

}  // namespace

void drawStandingFarToNear(const VictimCrowd& crowd, const FootManager& feet) {
  float heading = degToRad(Camera::instance().rotationZ());
  float aheadX = -std::sin(heading), aheadY = std::cos(heading);  // the way the billboards face away from the eye
  auto depthOf = [&](GameObject& object) { return object.position().x * aheadX + object.position().y * aheadY; };
  standing.clear();
  for (const auto& victim : crowd.live())
    standing.push_back({depthOf(*victim), static_cast<int>(standing.size()), victim.get(), passes::kVictims});
  for (const auto& foot : feet.feet())
    standing.push_back({depthOf(*foot), static_cast<int>(standing.size()), foot.get(), passes::kFeet});
  // Not std::stable_sort, which takes a buffer of its own every call.
  std::sort(standing.begin(), standing.end(), [](const Standing& a, const Standing& b) {
    return a.depth != b.depth ? a.depth > b.depth : a.order < b.order;
  });
  setDepthTest(false);
  setTexturing(true, true);
  const char* pass = nullptr;
  for (const Standing& s : standing) {
    if (s.pass != pass) markPass(pass = s.pass);
    s.object->draw();
  }
}
