#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Vec.h"

namespace fishgen {

// One generated part: rows x cols vertices with a normal and a texture coordinate each,
// and the row pairs joined into quad strips (in emit order).
struct PartGrid {
  std::string name;
  int rows = 0, cols = 0;
  std::vector<V3> pos, nrm;
  std::vector<V2> tex;
  std::vector<std::pair<int, int>> strips;
  int mirrored = 0;  // the first `mirrored` strips are emitted again with y negated

  V3& P(int r, int c) { return pos[r * cols + c]; }
  const V3& P(int r, int c) const { return pos[r * cols + c]; }
};

// Surface of a part: (u, v) in [0,1]^2 -> position; u runs over the rows, v over the columns.
using SurfaceFn = std::function<V3(double u, double v)>;
// Direction that counts as "outside" at a point, to orient the normals.
using OutwardFn = std::function<V3(const V3& p, double u, double v)>;
// Texture coordinate of a model-space point.
using TexFn = std::function<V2(const V3& p)>;

// Samples the surface on a rows x cols grid; the normals come from the surface's partial
// derivatives (so they vary smoothly) and point to the side given by `outward`.
PartGrid LoftPart(const std::string& name, int rows, int cols, const SurfaceFn& surface,
                  const OutwardFn& outward, const TexFn& tex);

// Strips (0,1), (1,2), ... (rows-2, rows-1), all mirrored.
void SequentialStrips(PartGrid& part);

// Normal of the surface at (u, v) by central differences, falling back to nearby samples
// where the surface collapses to a point.
V3 SurfaceNormal(const SurfaceFn& surface, double u, double v);

}  // namespace fishgen
