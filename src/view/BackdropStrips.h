#pragma once
#include "tank/BackgroundSurface.h"
#include "view/Camera.h"

namespace view {

// A rectangle of pixels in GL window coordinates (x from the left, y from the bottom).
struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// The parts of a width x height view, seen through frustum `f`, whose pixels' lines of sight
// do not all lie within `covered`: at most four strips (left, right, bottom, top), which do
// not overlap. Returns how many; -1 when no pixel is covered (the whole view is left).
int UncoveredStrips(const FrustumExtents& f, int width, int height,
                    const tank::BackgroundSurface::Slopes& covered, PixelRect (&strips)[4]);

}  // namespace view
