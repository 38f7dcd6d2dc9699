#include "objects/StandingOrder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "objects/Camera.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"

namespace {

struct Standing {
  float depth;  // units along the camera's heading
  GameObject* object;
  const char* pass;
};

std::vector<Standing> standing;  // kept between frames, so a frame allocates nothing

}  // namespace

void drawStandingFarToNear(const VictimCrowd& crowd, const FootManager& feet) {
  float heading = Camera::instance().rotationZ() * static_cast<float>(M_PI) / 180;
  float aheadX = -std::sin(heading), aheadY = std::cos(heading);  // the way the billboards face away from the eye
  auto depthOf = [&](GameObject& object) { return object.position().x * aheadX + object.position().y * aheadY; };
  standing.clear();
  for (const auto& victim : crowd.live()) standing.push_back({depthOf(*victim), victim.get(), "victims"});
  for (const auto& foot : feet.feet()) standing.push_back({depthOf(*foot), foot.get(), "feet"});
  // Stable, so that at one depth the feet still come after the victims, as before.
  std::stable_sort(standing.begin(), standing.end(), [](const Standing& a, const Standing& b) { return a.depth > b.depth; });
  setDepthTest(false);
  setTexturing(true, true);
  const char* pass = nullptr;
  for (const Standing& s : standing) {
    if (s.pass != pass) markPass(pass = s.pass);
    s.object->draw();
  }
}
