// Anti-aliased vector drawing for the asset generators: shapes are signed
// distance fields, filled through a local-to-world transform stack onto a
// float RGBA canvas, and saved as PNG or TGA.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

struct V2 {
  float x = 0, y = 0;
};
inline V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
inline V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
inline V2 operator*(V2 a, float s) { return {a.x * s, a.y * s}; }
float dot(V2 a, V2 b);
float length(V2 a);
V2 rotated(V2 a, float degrees);

struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;  // straight (not premultiplied) alpha, each 0..1
};
constexpr Rgba hex(uint32_t rrggbb, float alpha = 1) {
  return {((rrggbb >> 16) & 255) / 255.0f, ((rrggbb >> 8) & 255) / 255.0f, (rrggbb & 255) / 255.0f, alpha};
}
Rgba mix(Rgba a, Rgba b, float t);
Rgba withAlpha(Rgba c, float alpha);
Rgba lighter(Rgba c, float towardWhite);  // 0 keeps c, 1 gives white
Rgba darker(Rgba c, float towardBlack);   // 0 keeps c, 1 gives black

struct Box {
  float x0, y0, x1, y1;  // x0 <= x1, y0 <= y1
};

// Signed distance: negative inside. It must never overestimate the true
// distance to the edge, so pixels far from an edge can skip supersampling.
struct Shape {
  std::function<float(V2)> dist;
  Box bounds;
};

Shape circle(V2 centre, float radius);
Shape ellipse(V2 centre, float rx, float ry);
Shape box(V2 centre, V2 half, float cornerRadius = 0, float angleDegrees = 0);
Shape capsule(V2 a, V2 b, float radius);
Shape taperedCapsule(V2 a, V2 b, float radiusA, float radiusB);
Shape polygon(std::vector<V2> points);
// Tips alternate between the outer and inner radius; the first tip points
// up, turned by turnDegrees anticlockwise.
Shape star(V2 centre, int tips, float outer, float inner, float turnDegrees = 0);
Shape operator|(Shape a, Shape b);       // union
Shape operator&(Shape a, Shape b);       // intersection
Shape operator-(Shape a, Shape b);       // a without b
Shape blend(Shape a, Shape b, float k);  // union with a rounded fillet of size k
Shape grow(Shape s, float amount);       // offset outward (negative shrinks)
Shape moved(Shape s, V2 offset);

using Paint = std::function<Rgba(V2)>;
Paint solid(Rgba c);
Paint linear(V2 a, Rgba ca, V2 b, Rgba cb);
Paint radial(V2 centre, float radius, Rgba inner, Rgba outer);

class Canvas {
 public:
  Canvas(int width, int height);  // fully transparent

  int width() const { return w; }
  int height() const { return h; }

  // Maps a world rectangle onto the whole picture, y upward; the first row
  // of the picture is its top.
  void setView(Box world);
  V2 pixelToWorld(float px, float py) const;
  V2 worldToPixel(V2 world) const;

  void push();
  void pop();
  void translate(V2 t);
  void scale(float sx, float sy);  // uneven is fine: edges are judged along the tightest axis
  void rotate(float degrees);

  void fill(const Shape& s, const Paint& p);
  void fill(const Shape& s, Rgba c) { fill(s, solid(c)); }
  // Shape filled with an outline of `width` around it.
  void inked(const Shape& s, Rgba c, Rgba ink, float width);
  void inked(const Shape& s, const Paint& p, Rgba ink, float width);
  // Coverage ramps from 1 to 0 across `feather` units centred on the edge.
  void fillSoft(const Shape& s, const Paint& p, float feather);
  // Composites one pixel (row 0 at the top) with the given coverage.
  void blendPixel(int px, int py, Rgba c, float coverage);

  Rgba pixel(int px, int py) const;  // straight alpha

 private:
  struct Affine {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;  // world = [a b; c d] local + t
  };
  V2 toLocal(V2 world) const;
  V2 toWorld(V2 local) const;
  float localPerWorld() const;
  template <class Coverage>
  void composite(const Shape& s, const Paint& p, float margin, Coverage coverage);

  int w, h;
  Box view{0, 0, 1, 1};
  std::vector<Affine> stack{Affine{}};
  std::vector<float> rgba;  // premultiplied, 4 floats per pixel, row 0 at the top
};

// 8-bit straight RGBA rows, top row first. Fully transparent pixels take the
// colour of their neighbours so filtered edges show no dark fringe.
std::vector<uint8_t> toBytes(const Canvas& c);
void writePng(const Canvas& c, const std::string& path);
// Uncompressed 32-bit TGA (type 2), stored top row first.
void writeTga(const Canvas& c, const std::string& path);

}  // namespace art
