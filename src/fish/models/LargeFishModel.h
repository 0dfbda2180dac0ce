#pragma once
#include "fish/models/ModelTypes.h"

namespace fish::models {

// The large fish (a grouper): head at +x, z up, y across; about 4.3 units long. The draw
// scales the body by the fish's size, the fins by size * 1.2 plus the fin offset, then turns
// both by -90 degrees about x and 180 degrees about z and scales by 0.2.
// Body: 5055 triangles, 2941 vertices, 3342 normals, 2184 texture coordinates.
extern const TriangleModel kLargeFishBody;

// Fin parts in emit order: 0 pelvic fins (9 x 9), 1 pectoral fin front half, 2 pectoral fin
// rear half, 3 upper-jaw plates (10 x 9; 9 strips, the last one, buried in the body, not
// mirrored), 4 gill covers (10 x 9). Row 0 lies inside the body at the root; the free edge
// is the last row.
extern const PartModel kLargeFishFins[5];

}  // namespace fish::models
