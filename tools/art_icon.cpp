// The desktop icon: a cyan pad square with its neon rim, a fresh splat, and
// the sneaker coming down on it from out of the frame.
#include "art.h"

namespace art {

void drawIcon(Canvas& c) {
  Rgba pad = padColour(PadKind::Corner);  // cyan, so the red shoe and goo stand out
  Shape tile = box({0, 0}, {0.45f, 0.45f}, 0.11f);
  c.fill(moved(tile, {0.015f, -0.02f}), hex(0x000000, 0.3f));
  c.inked(tile, hex(0x1E1546), kInk, 0.025f);
  Shape panel = box({0, 0}, {0.39f, 0.39f}, 0.08f);
  c.fill(grow(panel, 0.015f), hex(0xFFFFFF, 0.9f));
  c.fill(panel, radial({0, 0.1f}, 0.6f, lighter(pad, 0.25f), darker(pad, 0.1f)));

  c.push();  // the splat lies on the pad, seen from a little above
  c.translate({0.02f, -0.21f});
  c.scale(1.0f, 0.52f);
  drawSplatter(c);
  c.pop();

  c.push();  // the sneaker lands on the splat; its leg runs out through the top
  c.translate({-0.03f, -0.2f});
  c.scale(0.066f, 0.066f);
  drawFoot(c, 1);
  c.pop();
}

}  // namespace art
