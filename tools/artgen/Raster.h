#pragma once
#include <functional>
#include <vector>

#include "Color.h"

namespace art {

// Signed distance in pixels (negative inside) and a colour, both of a point in pixel space
// (x right, y down, pixel centres at +0.5).
using Sdf = std::function<float(float x, float y)>;
using Paint = std::function<Rgba(float x, float y)>;

struct Box {
  float x0, y0, x1, y1;
};

// A small RGBA canvas with anti-aliased shape filling and supersampled per-pixel painting.
class Raster {
 public:
  Raster(int width, int height, Rgba fill = {0, 0, 0, 0});

  int width() const { return width_; }
  int height() const { return height_; }
  Rgba& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Rgba& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // Bilinear sample at a pixel-space point, clamped to the edges.
  Rgba sample(float x, float y) const;

  // Composites paint over the pixels covered by sdf; the edge fades over `feather` pixels.
  void fill(const Sdf& sdf, const Paint& paint, float feather = 1.0f);
  void fill(const Sdf& sdf, const Rgba& colour, float feather = 1.0f);
  // The same, limited to a box (faster for small shapes on big canvases).
  void fill(const Sdf& sdf, const Paint& paint, const Box& box, float feather = 1.0f);
  void fill(const Sdf& sdf, const Rgba& colour, const Box& box, float feather = 1.0f);

  // Replaces every pixel with the average of n x n samples of paint (opaque or not).
  void paint(const Paint& paint, int n = 3);
  // Composites the n x n supersampled paint over the existing pixels.
  void paintOver(const Paint& paint, int n = 2);

  // Composites another raster at (dx, dy).
  void draw(const Raster& src, int dx, int dy);

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

}  // namespace art
