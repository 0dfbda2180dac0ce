#pragma once
#include "Raster.h"

namespace art {

constexpr int kBackgroundWidth = 1024;
constexpr int kBackgroundHeight = 512;

// The default tank background: deep water, light shafts, a sandy floor with rocks and
// plants. Soft detail, since the tank magnifies it two to three times.
Raster paintBackground();

}  // namespace art
