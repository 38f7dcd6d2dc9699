#include "raster.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "outfile.h"

namespace art {

namespace {

constexpr int kSuperSample = 6;  // per axis, on edge pixels only
constexpr float kPi = 3.14159265358979f;

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

Box unite(Box a, Box b) {
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Box intersect(Box a, Box b) {
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Box grown(Box b, float d) { return {b.x0 - d, b.y0 - d, b.x1 + d, b.y1 + d}; }

Box around(const std::vector<V2>& pts) {
  Box b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (V2 p : pts) b = unite(b, {p.x, p.y, p.x, p.y});
  return b;
}

}  // namespace

float dot(V2 a, V2 b) { return a.x * b.x + a.y * b.y; }
float length(V2 a) { return std::sqrt(dot(a, a)); }

V2 rotated(V2 a, float degrees) {
  float r = degrees * kPi / 180.0f;
  float c = std::cos(r), s = std::sin(r);
  return {a.x * c - a.y * s, a.x * s + a.y * c};
}

Rgba mix(Rgba a, Rgba b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba withAlpha(Rgba c, float alpha) { return {c.r, c.g, c.b, alpha}; }
Rgba lighter(Rgba c, float t) { return mix(c, {1, 1, 1, c.a}, t); }
Rgba darker(Rgba c, float t) { return mix(c, {0, 0, 0, c.a}, t); }

Shape circle(V2 c, float r) {
  return {[=](V2 p) { return length(p - c) - r; }, {c.x - r, c.y - r, c.x + r, c.y + r}};
}

Shape ellipse(V2 c, float rx, float ry) {
  float m = std::min(rx, ry);
  return {[=](V2 p) {
            return (length({(p.x - c.x) / rx, (p.y - c.y) / ry}) - 1) * m;
          },
          {c.x - rx, c.y - ry, c.x + rx, c.y + ry}};
}

Shape box(V2 c, V2 half, float r, float angle) {
  float reach = length(half);
  return {[=](V2 p) {
            V2 q = rotated(p - c, -angle);
            V2 d{std::fabs(q.x) - half.x + r, std::fabs(q.y) - half.y + r};
            V2 out{std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
            return length(out) + std::min(std::max(d.x, d.y), 0.0f) - r;
          },
          {c.x - reach, c.y - reach, c.x + reach, c.y + reach}};
}

Shape capsule(V2 a, V2 b, float r) {
  return {[=](V2 p) {
            V2 pa = p - a, ba = b - a;
            float t = clamp01(dot(pa, ba) / std::max(dot(ba, ba), 1e-12f));
            return length(pa - ba * t) - r;
          },
          grown(around({a, b}), r)};
}

Shape taperedCapsule(V2 a, V2 b, float ra, float rb) {
  V2 ba = b - a;
  float l2 = dot(ba, ba), rr = ra - rb, a2 = l2 - rr * rr, il2 = 1 / l2;
  return {[=](V2 p) {
            V2 pa = p - a;
            float y = dot(pa, ba), z = y - l2;
            V2 v = pa * l2 - ba * y;
            float x2 = dot(v, v), y2 = y * y * l2, z2 = z * z * l2;
            float k = (rr > 0 ? 1.0f : -1.0f) * rr * rr * x2;
            if ((z > 0 ? 1.0f : -1.0f) * a2 * z2 > k) return std::sqrt(x2 + z2) * il2 - rb;
            if ((y > 0 ? 1.0f : -1.0f) * a2 * y2 < k) return std::sqrt(x2 + y2) * il2 - ra;
            return (std::sqrt(x2 * a2 * il2) + y * rr) * il2 - ra;
          },
          unite(grown(around({a, a}), ra), grown(around({b, b}), rb))};
}

Shape polygon(std::vector<V2> v) {
  Box b = around(v);
  return {[v = std::move(v)](V2 p) {
            float d = dot(p - v[0], p - v[0]);
            float s = 1;
            for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
              V2 e = v[j] - v[i], w = p - v[i];
              V2 q = w - e * clamp01(dot(w, e) / dot(e, e));
              d = std::min(d, dot(q, q));
              bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
              if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
            }
            return s * std::sqrt(d);
          },
          b};
}

Shape star(V2 centre, int tips, float outer, float inner, float turnDegrees) {
  std::vector<V2> pts;
  for (int i = 0; i < tips * 2; ++i) {
    float r = i % 2 ? inner : outer;
    pts.push_back(centre + rotated({0, r}, turnDegrees + 180.0f * i / tips));
  }
  return polygon(pts);
}

Shape operator|(Shape a, Shape b) {
  Box bb = unite(a.bounds, b.bounds);
  return {[a = std::move(a.dist), b = std::move(b.dist)](V2 p) { return std::min(a(p), b(p)); }, bb};
}

Shape operator&(Shape a, Shape b) {
  Box bb = intersect(a.bounds, b.bounds);
  return {[a = std::move(a.dist), b = std::move(b.dist)](V2 p) { return std::max(a(p), b(p)); }, bb};
}

Shape operator-(Shape a, Shape b) {
  Box bb = a.bounds;
  return {[a = std::move(a.dist), b = std::move(b.dist)](V2 p) { return std::max(a(p), -b(p)); }, bb};
}

Shape blend(Shape a, Shape b, float k) {
  Box bb = grown(unite(a.bounds, b.bounds), k);
  return {[a = std::move(a.dist), b = std::move(b.dist), k](V2 p) {
            float da = a(p), db = b(p);
            float h = clamp01(0.5f + 0.5f * (db - da) / k);
            return db + (da - db) * h - k * h * (1 - h);
          },
          bb};
}

Shape grow(Shape s, float amount) {
  Box bb = grown(s.bounds, std::max(amount, 0.0f));
  return {[d = std::move(s.dist), amount](V2 p) { return d(p) - amount; }, bb};
}

Shape moved(Shape s, V2 o) {
  Box bb{s.bounds.x0 + o.x, s.bounds.y0 + o.y, s.bounds.x1 + o.x, s.bounds.y1 + o.y};
  return {[d = std::move(s.dist), o](V2 p) { return d(p - o); }, bb};
}

Paint solid(Rgba c) {
  return [c](V2) { return c; };
}

Paint linear(V2 a, Rgba ca, V2 b, Rgba cb) {
  V2 ab = b - a;
  float l2 = dot(ab, ab);
  return [=](V2 p) { return mix(ca, cb, clamp01(dot(p - a, ab) / l2)); };
}

Paint radial(V2 c, float r, Rgba inner, Rgba outer) {
  return [=](V2 p) { return mix(inner, outer, clamp01(length(p - c) / r)); };
}

Canvas::Canvas(int width, int height) : w(width), h(height), rgba(size_t(width) * height * 4, 0.0f) {
  view = {0, 0, float(width), float(height)};
}

void Canvas::setView(Box world) { view = world; }

V2 Canvas::pixelToWorld(float px, float py) const {
  return {view.x0 + px / w * (view.x1 - view.x0), view.y1 - py / h * (view.y1 - view.y0)};
}

V2 Canvas::worldToPixel(V2 p) const {
  return {(p.x - view.x0) / (view.x1 - view.x0) * w, (view.y1 - p.y) / (view.y1 - view.y0) * h};
}

void Canvas::push() { stack.push_back(stack.back()); }

void Canvas::pop() {
  if (stack.size() > 1) stack.pop_back();
}

void Canvas::translate(V2 t) {
  Affine& m = stack.back();
  m.tx += m.a * t.x + m.b * t.y;
  m.ty += m.c * t.x + m.d * t.y;
}

void Canvas::scale(float sx, float sy) {
  Affine& m = stack.back();
  m.a *= sx;
  m.c *= sx;
  m.b *= sy;
  m.d *= sy;
}

void Canvas::rotate(float degrees) {
  Affine& m = stack.back();
  float r = degrees * kPi / 180.0f, c = std::cos(r), s = std::sin(r);
  Affine n = m;
  n.a = m.a * c + m.b * s;
  n.b = -m.a * s + m.b * c;
  n.c = m.c * c + m.d * s;
  n.d = -m.c * s + m.d * c;
  m = n;
}

V2 Canvas::toWorld(V2 p) const {
  const Affine& m = stack.back();
  return {m.a * p.x + m.b * p.y + m.tx, m.c * p.x + m.d * p.y + m.ty};
}

V2 Canvas::toLocal(V2 p) const {
  const Affine& m = stack.back();
  float det = m.a * m.d - m.b * m.c;
  V2 q{p.x - m.tx, p.y - m.ty};
  return {(m.d * q.x - m.b * q.y) / det, (-m.c * q.x + m.a * q.y) / det};
}

// Largest stretch from world back to local units (one over the smallest
// singular value), so edge tests stay conservative under uneven scaling.
float Canvas::localPerWorld() const {
  const Affine& m = stack.back();
  float p = m.a * m.a + m.c * m.c, q = m.a * m.b + m.c * m.d, r = m.b * m.b + m.d * m.d;
  float smallest = 0.5f * (p + r) - std::sqrt(0.25f * (p - r) * (p - r) + q * q);
  return 1.0f / std::sqrt(std::max(smallest, 1e-12f));
}

// Visits every pixel that the shape's bounds (grown by margin, in local
// units) touch and blends the paint with coverage(pixel centre, local point).
template <class Coverage>
void Canvas::composite(const Shape& s, const Paint& p, float margin, Coverage coverage) {
  Box b = grown(s.bounds, margin);
  V2 corners[4] = {toWorld({b.x0, b.y0}), toWorld({b.x1, b.y0}), toWorld({b.x0, b.y1}), toWorld({b.x1, b.y1})};
  Box wb = around({corners[0], corners[1], corners[2], corners[3]});
  float sx = w / (view.x1 - view.x0), sy = h / (view.y1 - view.y0);
  int px0 = std::max(0, int(std::floor((wb.x0 - view.x0) * sx)) - 1);
  int px1 = std::min(w - 1, int(std::ceil((wb.x1 - view.x0) * sx)) + 1);
  int py0 = std::max(0, int(std::floor((view.y1 - wb.y1) * sy)) - 1);
  int py1 = std::min(h - 1, int(std::ceil((view.y1 - wb.y0) * sy)) + 1);
  for (int py = py0; py <= py1; ++py) {
    for (int px = px0; px <= px1; ++px) {
      V2 local = toLocal(pixelToWorld(px + 0.5f, py + 0.5f));
      float cov = coverage(px, py, local);
      if (cov > 0) blendPixel(px, py, p(local), cov);
    }
  }
}

void Canvas::fill(const Shape& s, const Paint& p) {
  float pw = (view.x1 - view.x0) / w, ph = (view.y1 - view.y0) / h;
  float halfDiagonal = 0.5f * std::sqrt(pw * pw + ph * ph) * localPerWorld();
  composite(s, p, 0, [&](int px, int py, V2 local) {
    float d = s.dist(local);
    if (d > halfDiagonal) return 0.0f;
    if (d < -halfDiagonal) return 1.0f;
    int inside = 0;
    for (int j = 0; j < kSuperSample; ++j) {
      for (int i = 0; i < kSuperSample; ++i) {
        V2 sub = toLocal(pixelToWorld(px + (i + 0.5f) / kSuperSample, py + (j + 0.5f) / kSuperSample));
        inside += s.dist(sub) < 0;
      }
    }
    return float(inside) / (kSuperSample * kSuperSample);
  });
}

void Canvas::inked(const Shape& s, Rgba c, Rgba ink, float width) { inked(s, solid(c), ink, width); }

void Canvas::inked(const Shape& s, const Paint& p, Rgba ink, float width) {
  fill(grow(s, width), ink);
  fill(s, p);
}

void Canvas::fillSoft(const Shape& s, const Paint& p, float feather) {
  composite(s, p, feather, [&](int, int, V2 local) {
    float t = clamp01(0.5f - s.dist(local) / feather);
    return t * t * (3 - 2 * t);
  });
}

void Canvas::blendPixel(int px, int py, Rgba c, float coverage) {
  if (px < 0 || py < 0 || px >= w || py >= h) return;
  float a = clamp01(c.a * coverage);
  float* d = &rgba[(size_t(py) * w + px) * 4];
  d[0] = c.r * a + d[0] * (1 - a);
  d[1] = c.g * a + d[1] * (1 - a);
  d[2] = c.b * a + d[2] * (1 - a);
  d[3] = a + d[3] * (1 - a);
}

Rgba Canvas::pixel(int px, int py) const {
  const float* d = &rgba[(size_t(py) * w + px) * 4];
  if (d[3] <= 0) return {};
  return {d[0] / d[3], d[1] / d[3], d[2] / d[3], d[3]};
}

namespace {

uint8_t toByte(float v) { return uint8_t(std::lround(clamp01(v) * 255.0f)); }

// Gives fully transparent pixels the mean colour of their coloured
// neighbours, a few rings deep, so texture filtering does not pull black
// into the edges of sprites.
void bleedEdges(std::vector<uint8_t>& px, int w, int h) {
  constexpr int kRings = 3;
  std::vector<uint8_t> known(size_t(w) * h);
  for (size_t i = 0; i < known.size(); ++i) known[i] = px[i * 4 + 3] > 0;
  for (int ring = 0; ring < kRings; ++ring) {
    std::vector<uint8_t> next = known;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        size_t i = size_t(y) * w + x;
        if (known[i]) continue;
        int sum[3] = {0, 0, 0}, n = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
            size_t j = size_t(ny) * w + nx;
            if (!known[j]) continue;
            for (int k = 0; k < 3; ++k) sum[k] += px[j * 4 + k];
            ++n;
          }
        }
        if (n == 0) continue;
        for (int k = 0; k < 3; ++k) px[i * 4 + k] = uint8_t((sum[k] + n / 2) / n);
        next[i] = 1;
      }
    }
    known.swap(next);
  }
}

}  // namespace

std::vector<uint8_t> toBytes(const Canvas& c) {
  std::vector<uint8_t> out(size_t(c.width()) * c.height() * 4);
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      Rgba p = c.pixel(x, y);
      uint8_t* o = &out[(size_t(y) * c.width() + x) * 4];
      o[3] = toByte(p.a);
      if (o[3] == 0) continue;
      o[0] = toByte(p.r);
      o[1] = toByte(p.g);
      o[2] = toByte(p.b);
    }
  }
  bleedEdges(out, c.width(), c.height());
  return out;
}

void writePng(const Canvas& c, const std::string& path) {
  std::vector<uint8_t> bytes = toBytes(c);
  FILE* f = openOutputFile(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    throw std::runtime_error("PNG encoding failed for " + path);
  }
  png_init_io(png, f);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, c.width(), c.height(), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < c.height(); ++y) png_write_row(png, &bytes[size_t(y) * c.width() * 4]);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

void writeTga(const Canvas& c, const std::string& path) {
  constexpr uint8_t kTopRowFirst = 0x20, kAlphaBits = 8;
  std::vector<uint8_t> bytes = toBytes(c);
  uint8_t header[18] = {};
  header[2] = 2;  // uncompressed true colour
  header[12] = uint8_t(c.width() & 255);
  header[13] = uint8_t(c.width() >> 8);
  header[14] = uint8_t(c.height() & 255);
  header[15] = uint8_t(c.height() >> 8);
  header[16] = 32;
  header[17] = kTopRowFirst | kAlphaBits;
  FILE* f = openOutputFile(path);
  std::fwrite(header, 1, sizeof header, f);
  for (size_t i = 0; i < bytes.size(); i += 4) {
    uint8_t bgra[4] = {bytes[i + 2], bytes[i + 1], bytes[i], bytes[i + 3]};
    std::fwrite(bgra, 1, 4, f);
  }
  std::fclose(f);
}

}  // namespace art
