#include "view/BackdropStrips.h"

#include <cmath>

namespace view {
namespace {

// Pixels kept on the uncovered side of each edge, against rounding anywhere on the way.
constexpr int kSafetyPixels = 1;

// The first and last of `count` pixels whose centres' slopes lie within [low, high], for
// a view whose edges lie at `from` and `to` on the near plane.
void CoveredRange(double from, double to, int count, double low, double high, int* first,
                  int* last) {
  const double start = from / kNearPlane;
  const double perPixel = (to - from) / kNearPlane / count;
  const double a = std::ceil((low - start) / perPixel - 0.5) + kSafetyPixels;
  const double b = std::floor((high - start) / perPixel - 0.5) - kSafetyPixels;
  *first = a < 0 ? 0 : (a > count ? count : static_cast<int>(a));
  *last = b < -1 ? -1 : (b > count - 1 ? count - 1 : static_cast<int>(b));
}

}  // namespace

int UncoveredStrips(const FrustumExtents& f, int width, int height,
                    const tank::BackgroundSurface::Slopes& covered, PixelRect (&strips)[4]) {
  if (width <= 0 || height <= 0 || covered.Empty()) return -1;
  int left = 0, right = 0, bottom = 0, top = 0;
  CoveredRange(f.left, f.right, width, covered.left, covered.right, &left, &right);
  CoveredRange(f.bottom, f.top, height, covered.bottom, covered.top, &bottom, &top);
  if (left > right || bottom > top) return -1;
  int n = 0;
  if (left > 0) strips[n++] = {0, 0, left, height};
  if (right < width - 1) strips[n++] = {right + 1, 0, width - 1 - right, height};
  const int coveredWidth = right - left + 1;
  if (bottom > 0) strips[n++] = {left, 0, coveredWidth, bottom};
  if (top < height - 1) strips[n++] = {left, top + 1, coveredWidth, height - 1 - top};
  return n;
}

}  // namespace view
