#pragma once
#include <array>
#include <utility>
#include <vector>

#include "Part.h"

namespace fishgen {

// Indexed triangle model: every corner picks its vertex, normal and texture coordinate.
struct TriMesh {
  std::vector<V3> vertices, normals;
  std::vector<V2> texcoords;
  std::vector<std::array<int, 9>> triangles;  // v0 v1 v2, n0 n1 n2, t0 t1 t2
  std::vector<std::pair<int, int>> runs;      // (material number, triangle count)
};

// Which wave samples move which coordinates of a slow fish part.
struct Drive {
  int sampleArray;  // 0 body wave, 1..5 shared generators, 6 the zero array
  int axis;         // 0 x, 1 y, 2 z
  int firstRow, lastRow;
  int indexBy;      // 0 column, 1 row
};

struct SlowPart {
  PartGrid grid;
  int yawEntry;  // -1 for the trunk (strip k turned by bend entry k)
  std::vector<Drive> drives;
};

// The slow fish's joints, one per bend entry, along x (model units): joint k is where trunk
// strip k begins, the last where the trunk ends. The anchor entry's strip turns about the
// origin.
struct SlowJoints {
  std::vector<double> x;
  int anchor = 0;
};

struct LargeFishModel {
  TriMesh body;
  std::vector<PartGrid> fins;
};

}  // namespace fishgen
