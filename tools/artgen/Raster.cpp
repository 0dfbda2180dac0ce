#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace art {

Raster::Raster(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Rgba Raster::sample(float x, float y) const {
  const float fx = std::clamp(x - 0.5f, 0.0f, static_cast<float>(width_ - 1));
  const float fy = std::clamp(y - 0.5f, 0.0f, static_cast<float>(height_ - 1));
  const int x0 = static_cast<int>(fx);
  const int y0 = static_cast<int>(fy);
  const int x1 = std::min(x0 + 1, width_ - 1);
  const int y1 = std::min(y0 + 1, height_ - 1);
  const float tx = fx - x0;
  const float ty = fy - y0;
  return mix(mix(at(x0, y0), at(x1, y0), tx), mix(at(x0, y1), at(x1, y1), tx), ty);
}

void Raster::fill(const Sdf& sdf, const Paint& paint, const Box& box, float feather) {
  const int x0 = std::max(0, static_cast<int>(std::floor(box.x0)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(box.y0)) - 1);
  const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(box.x1)) + 1);
  const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(box.y1)) + 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f;
      const float py = y + 0.5f;
      const float d = sdf(px, py);
      const float coverage = clamp01(0.5f - d / feather);
      if (coverage <= 0.0f) continue;
      at(x, y) = over(at(x, y), paint(px, py), coverage);
    }
}

void Raster::fill(const Sdf& sdf, const Paint& paint, float feather) {
  fill(sdf, paint, Box{0, 0, static_cast<float>(width_), static_cast<float>(height_)}, feather);
}

void Raster::fill(const Sdf& sdf, const Rgba& colour, float feather) {
  fill(sdf, [colour](float, float) { return colour; }, feather);
}

void Raster::fill(const Sdf& sdf, const Rgba& colour, const Box& box, float feather) {
  fill(sdf, [colour](float, float) { return colour; }, box, feather);
}

void Raster::paint(const Paint& paint, int n) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      Rgba sum{0, 0, 0, 0};
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
          const Rgba c = paint(x + (i + 0.5f) / n, y + (j + 0.5f) / n);
          sum.r += c.r * c.a;
          sum.g += c.g * c.a;
          sum.b += c.b * c.a;
          sum.a += c.a;
        }
      const float k = 1.0f / (n * n);
      Rgba& out = at(x, y);
      out.a = sum.a * k;
      if (sum.a > 1e-6f) {
        out.r = sum.r / sum.a;
        out.g = sum.g / sum.a;
        out.b = sum.b / sum.a;
      } else {
        out = {0, 0, 0, 0};
      }
    }
}

void Raster::paintOver(const Paint& paint, int n) {
  Raster layer(width_, height_);
  layer.paint(paint, n);
  draw(layer, 0, 0);
}

void Raster::draw(const Raster& src, int dx, int dy) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) {
      const int tx = x + dx;
      const int ty = y + dy;
      if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
      at(tx, ty) = over(at(tx, ty), src.at(x, y), 1.0f);
    }
}

}  // namespace art
