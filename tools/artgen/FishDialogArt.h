#pragma once
#include <vector>

#include "Raster.h"

namespace art {

constexpr int kFishDialogWidth = 500;
constexpr int kFishDialogHeight = 512;
constexpr int kDialogCellWidth = 100;
constexpr int kDialogCellHeight = 90;
constexpr int kDialogCellOrigin = 2;
constexpr int kDialogCellsBottom = 182;

// The fish dialog's picture: ten cells showing species slots 0..9 cut from their skins, and
// a calm underwater panel below them.
Raster paintFishDialog(const std::vector<Raster>& skins, const Raster& background);

}  // namespace art
