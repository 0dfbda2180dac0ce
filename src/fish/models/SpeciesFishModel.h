#pragma once
#include "fish/models/ModelTypes.h"

namespace fish::models {

// The species fish, +y half only (every strip also has a mirrored pass), in emit order:
// 0 body (6 x 23), 1 head cap (4 x 7), 2 mouth (2 x 6), 3 pectoral fins (2 x 23),
// 4 pelvic fins (2 x 19), 5 rear fins (2 x 10), 6 tail fin (2 x 35), 7 eye (3 x 7).
// Fins have their free edge in row 0 and their root in row 1. Body from x = -0.47 (nose)
// to +0.29 (tail root); the tail fin reaches x = +0.53. Texture s = x + 0.47.
extern const PartModel kSpeciesFishParts[8];

inline constexpr int kSpeciesBody = 0;
inline constexpr int kSpeciesTailFin = 6;

}  // namespace fish::models
