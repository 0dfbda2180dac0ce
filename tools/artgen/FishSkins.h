#pragma once
#include "FishShape.h"
#include "Raster.h"

namespace art {

constexpr int kSkinWidth = 256;
constexpr int kSkinHeight = 128;
constexpr int kSkinCount = 12;  // ten species, the large fish, the slow fish
constexpr int kSpeciesSkinCount = 10;

// Every species skin keeps its top-left corner (s < kEyeSwatchRight, t > kEyeSwatchBottom)
// for the eye: the model's eye disc maps onto the circle centred at (kEyeCentreS,
// kEyeCentreT) with radii kEyeRadiusS / kEyeRadiusT (about 3.5 texels each way), its centre on
// the pupil. No other part of the species model samples that corner. The model generator
// (tools/fishmodels) carries the same numbers.
constexpr float kEyeSwatchRight = 0.06f;
constexpr float kEyeSwatchBottom = 0.94f;
constexpr float kEyeCentreS = 0.03f;
constexpr float kEyeCentreT = 0.97f;
constexpr float kEyeRadiusS = 0.0137f;
constexpr float kEyeRadiusT = 0.0273f;

// Skin of fish texture slot `slot`: a side view filling the image, head on the left.
Raster paintFishSkin(int slot);

// The outline the dialog picture cuts from species slot `slot` (0..9).
fish::Outline speciesOutline(int slot);

}  // namespace art
