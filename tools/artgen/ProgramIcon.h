#pragma once
#include "Raster.h"

namespace art {

// The program's icon at size x size pixels: a friendly fish in a round tank.
Raster paintProgramIcon(int size);

}  // namespace art
