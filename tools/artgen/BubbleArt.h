#pragma once
#include "Raster.h"

namespace art {

constexpr int kBubbleSize = 32;
constexpr int kBubbleVariants = 3;

// Bubble sprites on black, drawn additively by the tank: only brightness matters.
// 0: a ring with a highlight; 1: a soft glowing bead; 2: a cluster of small bubbles.
Raster paintBubble(int variant);

}  // namespace art
