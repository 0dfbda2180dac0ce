#pragma once

#include "tank/TankBox.h"

namespace tank {

// The curved sheet that carries the background picture: a quintic Bezier patch of 6 x 6
// control points whose upper two rows sway with a wave offset that moves back and forth
// one step per build.
class BackgroundSurface {
 public:
  static constexpr int kNetSize = 6;
  static constexpr int kDefaultSegments = 2;
  static constexpr int kMaxSegments = 64;

  struct Point {
    double x = 0, y = 0, z = 0;
  };

  // Advances the wave (only for BACKGROUND 0 or 2) and rebuilds the control net from the box.
  void BuildControlNet(const TankBox& box, int backgroundSetting);

  // Evaluates the patch on a (segments + 1) x (segments + 1) grid and draws it as textured
  // triangle strips with the currently bound texture. Segments are clamped to 1..kMaxSegments.
  void Draw(int segments = kDefaultSegments) const;

  // Lines of sight from an eye at (0, 0, eyeZ) looking along -z, by their slopes
  // x / distance and y / distance.
  struct Slopes {
    double left = 0, right = 0, bottom = 0, top = 0;
    bool Empty() const { return left >= right || bottom >= top; }
  };
  // The lines of sight that meet the sheet built for `box` whatever the wave offset (empty
  // when the eye is not in front of it). The opaque sheet hides everything on them that
  // lies farther away than FarthestZ().
  static Slopes CoveredSlopes(const TankBox& box, double eyeZ);
  static double FarthestZ();

  // An upper bound on how many texels of a texWidth x texHeight picture one pixel step
  // covers anywhere on the sheet as Draw(segments) emits it now, for an eye at (0, 0, eyeZ)
  // looking along -z whose neighbouring pixels lie pixelSize apart at distance 1. Below 1 the
  // picture is only ever magnified. Infinite when a triangle is not wholly in front of the eye.
  double MaxTexelsPerPixel(int texWidth, int texHeight, double eyeZ, double pixelSize,
                           int segments = kDefaultSegments) const;

  float waveOffset() const { return waveOffset_; }
  bool waveRising() const { return waveRising_; }
  // Row 0 is the top row, column 0 the box's left.
  const Point& controlPoint(int row, int column) const { return net_[row][column]; }

 private:
  void StepWave();

  float waveOffset_ = 0.0f;
  bool waveRising_ = true;
  Point net_[kNetSize][kNetSize];
};

}  // namespace tank
