// input_to_frame_ms: real key presses sent through the X server's XTEST
// extension to the game's window, timed to the swap of the first frame that
// shows the pressed square lit on the pad indicator.
#pragma once

namespace bench {

void measureInputToFrame();

}  // namespace bench
