#include "tank/BackgroundSurface.h"

#include <GL/gl.h>

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

}  // namespace

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
  const int n = segments < 1 ? 1 : (segments > kMaxSegments ? kMaxSegments : segments);
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
