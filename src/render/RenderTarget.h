// RenderTarget: a texture that passes can draw into, through a framebuffer
// object (GL 3.0, or GL_ARB_framebuffer_object before it; Mesa offers both).
#pragma once

class RenderTarget {
 public:
  RenderTarget() = default;
  ~RenderTarget() { release(); }
  RenderTarget(const RenderTarget&) = delete;
  RenderTarget& operator=(const RenderTarget&) = delete;

  // The renderer has framebuffer objects.
  static bool offered();
  // An RGBA texture of the size, sampled linearly and clamped to its edge,
  // with a framebuffer over it; false (and nothing made) when the renderer
  // offers none or cannot draw into it.
  bool create(int width, int height);
  void release();

  unsigned texture() const { return texture_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Draws go into the texture, over all of it, until end() brings back the
  // framebuffer and viewport that were in use before.
  void begin();
  void end();

 private:
  unsigned framebuffer_ = 0;
  unsigned texture_ = 0;
  int width_ = 0, height_ = 0;      // texels
  int previousFramebuffer_ = 0;     // bound before begin
  int previousViewport_[4] = {};    // x, y, width, height in pixels, before begin
};
