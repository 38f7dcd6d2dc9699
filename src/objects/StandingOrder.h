// The victims and the feet stand upright in planes that all face along the
// camera's heading, so drawn far to near they cover one another as the depth
// test meant them to: the nearer in front, and a victim's body over its arms
// every time (under the depth test, rounding decided between the two, which
// share a plane). The window then needs no depth buffer to clear each frame.
#pragma once

class VictimCrowd;
class FootManager;

void drawStandingFarToNear(const VictimCrowd& crowd, const FootManager& feet);
