#pragma once
#include <vector>

#include "Models.h"

namespace fishgen {

// The slow fish: a long koi-like carp with barbels, head at -x. 24 parts in emit order
// (trunk, head parts, lips, eye and barbel, paired fins, dorsal and anal fin, tail faces,
// rear barbel), each with its bend entry and the wave samples that move it.
std::vector<SlowPart> BuildSlowFish();
// Its 14 joints, in the same (origin-moved) model units as the parts.
SlowJoints BuildSlowJoints();

}  // namespace fishgen
