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

// The large fish's skin keeps its top-left corner for the fin-ray swatch that its pectoral
// and pelvic fins wear (s across the rays, t from root to edge); no body triangle samples it.
// The model generator carries the same rectangle.
constexpr float kLargeFinSwatchLeft = 0.01f, kLargeFinSwatchRight = 0.17f;
constexpr float kLargeFinSwatchBottom = 0.80f, kLargeFinSwatchTop = 0.98f;
// Where the large fish's eye discs land on its skin (centre and radii), from the model.
constexpr float kLargeEyeS = 0.1231f, kLargeEyeT = 0.595f;
constexpr float kLargeEyeRadiusS = 0.024f, kLargeEyeRadiusT = 0.046f;

// Skin of fish texture slot `slot`: a side view filling the image, head on the left.
Raster paintFishSkin(int slot);

// The outline the dialog picture cuts from species slot `slot` (0..9).
fish::Outline speciesOutline(int slot);

}  // namespace art
