#include "tank/BackgroundSurface.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tank {
namespace {

constexpr float kWaveStep = 0.008f;
constexpr float kWaveHigh = 1.0f;
constexpr float kWaveLow = -0.5f;
constexpr float kColumnSpacing = 0.2f;  // of the box's width
constexpr float kRowHeights[BackgroundSurface::kNetSize] = {39.0f,  23.6f,  8.2f,
                                                            -7.2f, -22.6f, -38.0f};
constexpr int kSwayingRows = 2;
constexpr double kSheetZ = -90.0;
// How far the wave moves a control point (it turns one step past its limits), and the
// extra room kept around the view for the cover test.
constexpr double kWaveReach = 1.1;
constexpr double kCoverMargin = 0.25;

using Point = BackgroundSurface::Point;

// Quintic Bernstein blend of six points: t = 1 gives p[0], t = 0 gives p[5].
Point Curve(const Point (&p)[BackgroundSurface::kNetSize], double t) {
  const double s = 1.0 - t;
  const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
  const double s2 = s * s, s3 = s2 * s, s4 = s3 * s, s5 = s4 * s;
  const double w[BackgroundSurface::kNetSize] = {t5,           5.0 * t4 * s, 10.0 * t3 * s2,
                                                 10.0 * t2 * s3, 5.0 * t * s4, s5};
  Point r;
  for (int k = 0; k < BackgroundSurface::kNetSize; ++k) {
    r.x += w[k] * p[k].x;
    r.y += w[k] * p[k].y;
    r.z += w[k] * p[k].z;
  }
  return r;
}

int ClampSegments(int segments) {
  return segments < 1 ? 1 : (segments > BackgroundSurface::kMaxSegments
                                 ? BackgroundSurface::kMaxSegments
                                 : segments);
}

// The texel density bound of one flat triangle (corners p, texture coordinates in texels
// st) seen from the origin: the triangle's map from its plane to the picture stretches by at
// most sigma, and one step of pixelSize on the image plane at distance 1 moves the hit point
// on the plane by at most |c| (|n.d| + |d| max(|nx|, |ny|)) / (n.d)^2 times pixelSize, where
// n is the plane's unit normal, c its distance and d = (x, y, -1) the direction of the pixel;
// n.d is linear across the triangle, so its extremes lie at the corners.
double TriangleTexelsPerPixel(const Point (&p)[3], const double (&st)[3][2], double pixelSize) {
  const double e1[3] = {p[1].x - p[0].x, p[1].y - p[0].y, p[1].z - p[0].z};
  const double e2[3] = {p[2].x - p[0].x, p[2].y - p[0].y, p[2].z - p[0].z};
  double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                 e1[0] * e2[1] - e1[1] * e2[0]};
  const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (length == 0.0) return 0.0;  // no area: nothing is drawn
  for (double& v : n) v /= length;
  // sigma^2: the larger root of det(F'F - l G) = 0, G the Gram matrix of the edges and F the
  // texel steps along them.
  const double f1[2] = {st[1][0] - st[0][0], st[1][1] - st[0][1]};
  const double f2[2] = {st[2][0] - st[0][0], st[2][1] - st[0][1]};
  const double g11 = e1[0] * e1[0] + e1[1] * e1[1] + e1[2] * e1[2];
  const double g12 = e1[0] * e2[0] + e1[1] * e2[1] + e1[2] * e2[2];
  const double g22 = e2[0] * e2[0] + e2[1] * e2[1] + e2[2] * e2[2];
  const double a11 = f1[0] * f1[0] + f1[1] * f1[1];
  const double a12 = f1[0] * f2[0] + f1[1] * f2[1];
  const double a22 = f2[0] * f2[0] + f2[1] * f2[1];
  const double qa = g11 * g22 - g12 * g12;
  if (qa <= 0.0) return 0.0;
  const double qb = -(a11 * g22 + a22 * g11 - 2.0 * a12 * g12);
  const double qc = a11 * a22 - a12 * a12;
  const double disc = std::max(0.0, qb * qb - 4.0 * qa * qc);
  const double sigma = std::sqrt(std::max(0.0, (-qb + std::sqrt(disc)) / (2.0 * qa)));

  const double c = n[0] * p[0].x + n[1] * p[0].y + n[2] * p[0].z;
  double minDot = std::numeric_limits<double>::infinity(), maxDot = 0.0, maxDir = 0.0;
  for (const Point& q : p) {
    if (q.z >= 0.0) return std::numeric_limits<double>::infinity();  // not in front
    const double d[3] = {q.x / -q.z, q.y / -q.z, -1.0};
    const double dot = std::fabs(n[0] * d[0] + n[1] * d[1] + n[2] * d[2]);
    minDot = std::min(minDot, dot);
    maxDot = std::max(maxDot, dot);
    maxDir = std::max(maxDir, std::sqrt(d[0] * d[0] + d[1] * d[1] + 1.0));
  }
  if (minDot <= 0.0) return std::numeric_limits<double>::infinity();
  const double step = std::fabs(c) * (maxDot + maxDir * std::max(std::fabs(n[0]), std::fabs(n[1]))) /
                      (minDot * minDot);
  return sigma * step * pixelSize;
}

}  // namespace

double BackgroundSurface::MaxTexelsPerPixel(int texWidth, int texHeight, double eyeZ,
                                            double pixelSize, int segments) const {
  const int n = ClampSegments(segments);
  const double step = 1.0 / n;
  // The grid Draw() emits: point (j, i) at u = j / n along the rows, t = i / n up the
  // columns, with texture coordinates (1 - u, t); kept relative to the eye, one column of
  // points after the other.
  Point previous[kMaxSegments + 1];
  Point current[kMaxSegments + 1];
  Point column[kNetSize];
  double worst = 0.0;
  for (int j = 0; j <= n; ++j) {
    for (int r = 0; r < kNetSize; ++r) column[r] = Curve(net_[r], j * step);
    for (int i = 0; i <= n; ++i) {
      current[i] = Curve(column, i * step);
      current[i].z -= eyeZ;
    }
    const double sPrevious = (1.0 - (j - 1) * step) * texWidth;
    const double sCurrent = (1.0 - j * step) * texWidth;
    for (int i = 0; j > 0 && i < n; ++i) {
      const double tLow = i * step * texHeight, tHigh = (i + 1) * step * texHeight;
      // The strip's two triangles over the cell.
      const Point lower[3] = {previous[i], current[i], previous[i + 1]};
      const double lowerSt[3][2] = {{sPrevious, tLow}, {sCurrent, tLow}, {sPrevious, tHigh}};
      const Point upper[3] = {current[i], previous[i + 1], current[i + 1]};
      const double upperSt[3][2] = {{sCurrent, tLow}, {sPrevious, tHigh}, {sCurrent, tHigh}};
      worst = std::max(worst, TriangleTexelsPerPixel(lower, lowerSt, pixelSize));
      worst = std::max(worst, TriangleTexelsPerPixel(upper, upperSt, pixelSize));
    }
    for (int i = 0; i <= n; ++i) previous[i] = current[i];
  }
  return worst;
}

void BackgroundSurface::StepWave() {
  waveOffset_ = waveRising_ ? waveOffset_ + kWaveStep : waveOffset_ - kWaveStep;
  if (waveOffset_ > kWaveHigh) waveRising_ = false;
  if (waveOffset_ < kWaveLow) waveRising_ = true;
}

// The drawn sheet's edges run through points of the patch's edges (every triangle is a
// convex blend of them), so it spans at least the box's width less the wave's reach, from
// the bottom row's height to the top row's, between the depths kSheetZ -/+ kWaveReach. A
// line of sight stays inside that rectangle over the whole depth range when it does so at
// the far end; crossing the depth range there, it meets the sheet.
BackgroundSurface::Slopes BackgroundSurface::CoveredSlopes(const TankBox& box, double eyeZ) {
  Slopes covered;
  if (eyeZ <= kSheetZ + kWaveReach) return covered;
  const double farthest = eyeZ - FarthestZ();
  covered.left = (box.left + kWaveReach + kCoverMargin) / farthest;
  covered.right = (box.right - kWaveReach - kCoverMargin) / farthest;
  covered.bottom = (kRowHeights[kNetSize - 1] + kCoverMargin) / farthest;
  covered.top = (kRowHeights[0] - kCoverMargin) / farthest;
  return covered;
}

double BackgroundSurface::FarthestZ() { return kSheetZ - kWaveReach; }

void BackgroundSurface::BuildControlNet(const TankBox& box, int backgroundSetting) {
  if (backgroundSetting == 0 || backgroundSetting == 2) StepWave();
  const float w = waveOffset_;
  const float spacing = kColumnSpacing * (box.right - box.left);
  for (int row = 0; row < kNetSize; ++row) {
    for (int col = 0; col < kNetSize; ++col) {
      const float baseX = box.left + static_cast<float>(col) * spacing;
      Point& p = net_[row][col];
      p.y = kRowHeights[row];
      if (row < kSwayingRows) {
        p.x = baseX + w;
        p.z = (col % 2 == 0) ? kSheetZ + w : kSheetZ - w;
      } else {
        p.x = baseX;
        p.z = kSheetZ;
      }
    }
  }
}

void BackgroundSurface::Draw(int segments) const {
  const int n = ClampSegments(segments);
  const double step = 1.0 / n;

  // The first column runs up the right edge (column 5), bottom (i = 0) to top (i = n).
  Point previous[kMaxSegments + 1];
  Point column[kNetSize];
  for (int r = 0; r < kNetSize; ++r) column[r] = net_[r][kNetSize - 1];
  for (int i = 0; i <= n; ++i) previous[i] = Curve(column, i * step);

  for (int j = 0; j <= n; ++j) {
    const double u = j * step;
    // u = 0 is the right edge, u = 1 the left: the picture's s runs the other way so that
    // its left side shows on the left of the screen.
    const double sPrevious = 1.0 - (j - 1) * step;
    const double sCurrent = 1.0 - u;
    for (int r = 0; r < kNetSize; ++r) column[r] = Curve(net_[r], u);
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= n; ++i) {
      const double t = i * step;
      glTexCoord2d(sPrevious, t);
      glVertex3d(previous[i].x, previous[i].y, previous[i].z);
      previous[i] = Curve(column, t);
      glTexCoord2d(sCurrent, t);
      glVertex3d(previous[i].x, previous[i].y, previous[i].z);
    }
    glEnd();
  }
}

}  // namespace tank
