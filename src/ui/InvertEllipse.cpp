#include "ui/InvertEllipse.h"

#include <algorithm>

namespace ui {

bool InsideEllipse(const Box& box, int x, int y) {
  if (box.width() <= 0 || box.height() <= 0) return false;
  const double rx = box.width() / 2.0, ry = box.height() / 2.0;
  const double nx = (x + 0.5 - box.left - rx) / rx;
  const double ny = (y + 0.5 - box.top - ry) / ry;
  return nx * nx + ny * ny <= 1.0;
}

void InvertEllipse(std::uint8_t* rgb, int width, int height, int stride, const Box& box) {
  const int x0 = std::max(0, box.left), x1 = std::min(width, box.right);
  const int y0 = std::max(0, box.top), y1 = std::min(height, box.bottom);
  for (int y = y0; y < y1; ++y) {
    std::uint8_t* row = rgb + static_cast<long>(y) * stride;
    for (int x = x0; x < x1; ++x) {
      if (!InsideEllipse(box, x, y)) continue;
      for (int ch = 0; ch < 3; ++ch) row[3 * x + ch] = static_cast<std::uint8_t>(255 - row[3 * x + ch]);
    }
  }
}

}  // namespace ui
