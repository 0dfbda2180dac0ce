#pragma once
#include <algorithm>
#include <cmath>
#include <vector>

#include "Raster.h"

// Signed-distance builders for the anti-aliased shapes of the icons, cursors and scenes.
namespace art::shape {

struct Vec2 {
  float x, y;
};

inline Sdf circle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

// Close to exact near the outline, which is all the anti-aliasing needs.
inline Sdf ellipse(float cx, float cy, float rx, float ry) {
  return [=](float x, float y) {
    const float nx = (x - cx) / rx;
    const float ny = (y - cy) / ry;
    const float k = std::hypot(nx, ny);
    if (k < 1e-6f) return -std::min(rx, ry);
    return (k - 1.0f) * k / std::hypot(nx / rx, ny / ry);
  };
}

inline Sdf capsule(float ax, float ay, float bx, float by, float r) {
  return [=](float x, float y) {
    const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float h = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - dx * h, py - dy * h) - r;
  };
}

inline Sdf roundedBox(float cx, float cy, float hw, float hh, float r) {
  return [=](float x, float y) {
    const float qx = std::fabs(x - cx) - hw + r;
    const float qy = std::fabs(y - cy) - hh + r;
    return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
           r;
  };
}

inline Sdf polygon(std::vector<Vec2> v) {
  return [v = std::move(v)](float x, float y) {
    float d = (x - v[0].x) * (x - v[0].x) + (y - v[0].y) * (y - v[0].y);
    float s = 1.0f;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
      const float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
      const float wx = x - v[i].x, wy = y - v[i].y;
      const float h = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
      const float bx = wx - ex * h, by = wy - ey * h;
      d = std::min(d, bx * bx + by * by);
      const bool c1 = y >= v[i].y, c2 = y < v[j].y, c3 = ex * wy > ey * wx;
      if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
  };
}

inline Sdf unite(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
inline Sdf subtract(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
inline Sdf intersect(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
// Grows (positive) or shrinks a shape.
inline Sdf grow(Sdf a, float by) {
  return [=](float x, float y) { return a(x, y) - by; };
}
// A line of the given width along the outline.
inline Sdf stroke(Sdf a, float width) {
  return [=](float x, float y) { return std::fabs(a(x, y)) - width * 0.5f; };
}
// Moves a shape by (dx, dy) and scales it about the origin first.
inline Sdf transform(Sdf a, float scale, float dx, float dy) {
  return [=](float x, float y) { return a((x - dx) / scale, (y - dy) / scale) * scale; };
}

// Paints

inline Paint solid(Rgba c) {
  return [c](float, float) { return c; };
}

inline Paint linear(float x0, float y0, Rgba c0, float x1, float y1, Rgba c1) {
  return [=](float x, float y) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float t = clamp01(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy));
    return mix(c0, c1, t);
  };
}

inline Paint radial(float cx, float cy, float r, Rgba inner, Rgba outer) {
  return [=](float x, float y) { return mix(inner, outer, clamp01(std::hypot(x - cx, y - cy) / r)); };
}

}  // namespace art::shape

namespace art::shape {

// An ellipse turned by `angle` radians about its centre.
inline Sdf rotatedEllipse(float cx, float cy, float rx, float ry, float angle) {
  const Sdf e = ellipse(0, 0, rx, ry);
  const float c = std::cos(angle), s = std::sin(angle);
  return [=](float x, float y) {
    const float dx = x - cx, dy = y - cy;
    return e(dx * c + dy * s, -dx * s + dy * c);
  };
}

inline Box boxAround(float cx, float cy, float r) { return {cx - r, cy - r, cx + r, cy + r}; }

}  // namespace art::shape
