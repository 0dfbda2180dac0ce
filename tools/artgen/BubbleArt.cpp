#include "BubbleArt.h"

#include <cmath>

namespace art {
namespace {

constexpr float kCentre = kBubbleSize / 2.0f;

// Brightness of one ringed bubble of radius r centred at (cx, cy).
float ringBubble(float x, float y, float cx, float cy, float r) {
  const float d = std::hypot(x - cx, y - cy) / r;
  if (d > 1.08f) return 0.0f;
  const float rim = std::exp(-std::pow((d - 0.9f) / 0.09f, 2.0f));
  const float body = 0.10f * smoothstep(1.0f, 0.3f, d) + 0.12f * smoothstep(0.5f, 1.0f, d);
  const float hx = (x - (cx - 0.38f * r)) / (0.26f * r), hy = (y - (cy - 0.40f * r)) / (0.2f * r);
  const float highlight = std::exp(-(hx * hx + hy * hy) * 1.6f);
  const float gx = (x - (cx + 0.45f * r)) / (0.13f * r), gy = (y - (cy + 0.45f * r)) / (0.13f * r);
  const float glint = 0.5f * std::exp(-(gx * gx + gy * gy) * 1.6f);
  return std::min(1.0f, 0.75f * rim + body + highlight + glint);
}

float bead(float x, float y) {
  const float d = std::hypot(x - kCentre, y - kCentre) / (kCentre - 1.0f);
  const float glow = std::exp(-d * d * 2.2f) * 0.7f;
  const float hx = x - (kCentre - 4.0f), hy = y - (kCentre - 4.5f);
  const float highlight = std::exp(-(hx * hx + hy * hy) / 8.0f);
  return std::min(1.0f, glow + highlight) * smoothstep(1.05f, 0.9f, d);
}

float cluster(float x, float y) {
  struct B { float cx, cy, r; };
  const B bubbles[] = {{12.5f, 19.0f, 9.5f}, {23.5f, 10.0f, 6.0f}, {24.0f, 24.5f, 4.2f}, {8.0f, 6.5f, 3.5f}};
  float v = 0.0f;
  for (const B& b : bubbles) v = std::max(v, ringBubble(x, y, b.cx, b.cy, b.r));
  return v;
}

}  // namespace

Raster paintBubble(int variant) {
  Raster img(kBubbleSize, kBubbleSize);
  img.paint(
      [variant](float x, float y) {
        float v = 0.0f;
        if (variant == 0) v = ringBubble(x, y, kCentre, kCentre, kCentre - 1.5f);
        else if (variant == 1) v = bead(x, y);
        else v = cluster(x, y);
        // a faint blue cast in the dimmer parts, white where bright
        return Rgba{v * (0.80f + 0.20f * v), v * (0.92f + 0.08f * v), v, 1.0f};
      },
      4);
  return img;
}

}  // namespace art
