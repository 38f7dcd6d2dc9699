// Render-state helpers: every draw pass sets GL state through these, and 2D
// layers (slides, score, pad indicator) are bracketed by overlayBegin/End.
#pragma once

// The window's GL state from its creation on: back faces culled (counter-clockwise
// is the front), depth test on with less-or-equal, the blend and alpha functions
// the sprites use (blending itself off until a pass wants it).
void setStartupGlState();

void setTexturing(bool texture, bool blend);  // blend also switches the alpha test
void setDepthTest(bool on);

// Shortcuts that spare llvmpipe work on every pixel and leave every pixel as
// it was. A picture without see-through pixels needs no blending and no alpha
// test. Drawn in opaque white (setColor), the texels replace the colour, which
// skips the colour's interpolation and a multiply; modulating by white would
// change nothing.
void setOpaqueTexturing(bool opaquePicture);  // texturing on; blending and the alpha test unless opaque
// With shortcuts off, everything draws the plain way (blended, modulated): a
// scene drawn both ways shows that the shortcuts change no pixel.
void allowStateShortcuts(bool allow);
void setClearColor(float r, float g, float b);

// The frame's passes by name, for a benchmark that counts each one's
// fragments: every pass marks its start; nothing happens without an observer.
using PassObserver = void (*)(const char* pass);
void observePasses(PassObserver observer);
void markPass(const char* pass);
// The passes' names: one home for the game that marks them and the benchmark
// that counts them and leaves them out.
namespace passes {
constexpr const char* kFloorCopy = "floor_copy";
constexpr const char* kFloor = "floor";
constexpr const char* kSkyline = "skyline";
constexpr const char* kSplatter = "splatter";
constexpr const char* kShadows = "shadows";
constexpr const char* kFootShadows = "foot_shadows";
constexpr const char* kVictims = "victims";
constexpr const char* kFeet = "feet";
constexpr const char* kScore = "score";
constexpr const char* kIndicators = "indicators";
constexpr const char* kVolumeBar = "volume_bar";
}  // namespace passes
// A benchmark may also leave passes out, to time the rest against their own
// reference: the quads of a pass left out draw nothing.
using PassFilter = bool (*)(const char* pass);  // true: the pass is drawn
void filterPasses(PassFilter drawn);             // nullptr: every pass is drawn

// Fill shortcuts spare llvmpipe work and may move a pixel by a few levels (see
// the README's Performance section): sprite quads trimmed to their pictures'
// visible boxes, and what a pass draws one after another (a victim's limbs,
// the skyline, the feet, the glyphs of a line) drawn from one texture;
// splatter decals drawn into the floor once rather than over it every frame;
// and victims and feet drawn far to near instead of depth-tested, which the
// window reads as it is made, to leave out its depth buffer. Off, the game
// draws as it did before them.
enum class FillShortcut { PackedSprites, FloorDecals, StandingOrder };
void allowFillShortcut(FillShortcut shortcut, bool allow);
bool fillShortcutAllowed(FillShortcut shortcut);

// A new RGBA texture, left bound: its level 0 alone (every filter is linear,
// so nothing samples mipmaps), clamped to its edge or repeating. Without
// texels its contents are left undefined, for a pass to draw into.
unsigned newTexture(int width, int height, const void* rgba, bool repeat = false);
void bindTexture(unsigned texture);
void callList(unsigned list);
void setColor(float r, float g, float b, float a);  // also picks the texture environment, see above
void translate(float x, float y, float z);
void rotate(float angleDegrees, float x, float y, float z);
void scale(float x, float y, float z);
void pushMatrix();
void popMatrix();
void loadIdentity();
// An untextured rectangle in the z = 0 plane in the current colour (panels behind
// text, arrows); texturing is back on after it, as the overlay has it.
void fillRect(float left, float bottom, float right, float top);
// Corners counter-clockwise: back faces are culled.
void fillTriangle(float x0, float y0, float x1, float y1, float x2, float y2);

// Orthographic 2D layer over the scene with blending and the alpha test on,
// depth test off, colour white. Leaves texturing/blend on and depth off after End.
void overlayBegin(float left, float right, float bottom, float top);
void overlayEnd();

// The window's size in pixels as of its latest valid resize, which the 2D
// layers lay themselves out by. A size of 0 or less (a minimised window) keeps
// the last one.
struct WindowSize {
  int width = 0, height = 0;  // pixels
};
void setWindowSize(int width, int height);
WindowSize windowSize();
// The 2D layer in window pixels (origin bottom left, y up); reports the
// window's size. Close with overlayEnd.
void pixelOverlayBegin(float* outWidth = nullptr, float* outHeight = nullptr);
