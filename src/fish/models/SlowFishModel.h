#pragma once
#include "fish/models/ModelTypes.h"

namespace fish::models {

// The slow fish (a long koi-like carp with barbels), head at -x, z up, y across, 2.65 units
// long from the nose at x = -1.325 to the tail tip at x = +1.325. The trunk's 13 strips run
// from the head to the tail along x, each with rows of its own: rows 0..13 are the front ring
// of strip 0 and the rims of strips 0..12, rows 14..25 the front rings of strips 1..12, each
// tucked into the strip before. Strip k is turned about z by bend entry k about joint k of
// kSlowFishJoints; every other part turns with the strip of its bend entry.
// Parts in emit order: 0 trunk; 1..5 head (snout, crown, throat, two gill covers);
// 6, 7 upper and lower lip; 8 eye and barbel (mirrored); 9..15 pectoral fins, pelvic fins
// and the front of the dorsal fin (mirrored); 16..20 dorsal fin and anal fin (mirrored);
// 21, 22 the two faces of the tail fin; 23 the rear barbel (mirrored, bend entry 0, moved by
// the body wave on z).
extern const SlowPartModel kSlowFishParts[24];
extern const SlowJointModel kSlowFishJoints;

}  // namespace fish::models
