#include "Profile.h"

#include <algorithm>

namespace fishgen {

Profile::Profile(std::initializer_list<std::pair<double, double>> points) : points_(points) {
  std::sort(points_.begin(), points_.end());
}

double Profile::operator()(double u) const {
  const auto& p = points_;
  if (u <= p.front().first) return p.front().second;
  if (u >= p.back().first) return p.back().second;
  std::size_t i = 0;
  while (i + 1 < p.size() && p[i + 1].first < u) ++i;
  const std::size_t n = p.size();
  // Tangents by finite differences over the neighbouring points (non-uniform spacing).
  auto slope = [&](std::size_t k) {
    std::size_t a = k == 0 ? 0 : k - 1;
    std::size_t b = std::min(k + 1, n - 1);
    return (p[b].second - p[a].second) / (p[b].first - p[a].first);
  };
  const double x0 = p[i].first, x1 = p[i + 1].first, h = x1 - x0;
  const double y0 = p[i].second, y1 = p[i + 1].second;
  double m0 = slope(i) * h, m1 = slope(i + 1) * h;
  // Keep the curve from overshooting between monotone points.
  const double d = y1 - y0;
  if (d == 0) {
    m0 = m1 = 0;
  } else {
    if (m0 / d < 0) m0 = 0;
    if (m1 / d < 0) m1 = 0;
    if (m0 / d > 3) m0 = 3 * d;
    if (m1 / d > 3) m1 = 3 * d;
  }
  const double t = (u - x0) / h, t2 = t * t, t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * y0 + (t3 - 2 * t2 + t) * m0 + (-2 * t3 + 3 * t2) * y1 +
         (t3 - t2) * m1;
}

}  // namespace fishgen
