#pragma once
#include "FishShape.h"
#include "Raster.h"

namespace art {

constexpr int kSkinWidth = 256;
constexpr int kSkinHeight = 128;
constexpr int kSkinCount = 12;  // ten species, the large fish, the slow fish

// Skin of fish texture slot `slot`: a side view filling the image, head on the left.
Raster paintFishSkin(int slot);

// The outline the dialog picture cuts from species slot `slot` (0..9).
fish::Outline speciesOutline(int slot);

}  // namespace art
