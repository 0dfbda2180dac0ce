#pragma once
#include <algorithm>
#include <cmath>

namespace art {

// Straight (not premultiplied) colour with alpha, every channel 0..1.
struct Rgba {
  float r = 0, g = 0, b = 0, a = 1;
};

inline Rgba rgb(int r, int g, int b, float a = 1.0f) {
  return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

inline float smoothstep(float e0, float e1, float x) {
  const float t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3.0f - 2.0f * t);
}

inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

inline Rgba mix(const Rgba& a, const Rgba& b, float t) {
  return {lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t), lerp(a.a, b.a, t)};
}

inline Rgba scaled(const Rgba& c, float k) {
  return {c.r * k, c.g * k, c.b * k, c.a};
}

inline Rgba withAlpha(Rgba c, float a) {
  c.a = a;
  return c;
}

// Source-over compositing of c (its alpha times coverage) onto dst.
inline Rgba over(const Rgba& dst, const Rgba& c, float coverage) {
  const float sa = clamp01(c.a * coverage);
  const float outA = sa + dst.a * (1.0f - sa);
  if (outA <= 1e-6f) return {0, 0, 0, 0};
  const float k = dst.a * (1.0f - sa);
  return {(c.r * sa + dst.r * k) / outA, (c.g * sa + dst.g * k) / outA,
          (c.b * sa + dst.b * k) / outA, outA};
}

inline unsigned char toByte(float v) {
  return static_cast<unsigned char>(std::lround(clamp01(v) * 255.0f));
}

}  // namespace art
