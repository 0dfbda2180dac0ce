#pragma once
#include <cstdint>

// Model data of the fish bodies. Every part is a grid of profile rows; a strip joins two
// rows into a quad strip. Model space: x along the body (head at -x), y across (mirror
// plane y = 0), z up. Texture s runs head 0 -> tail 1, t back 0 -> belly 1.
namespace fish::models {

struct PartModel {
  int rows;
  int cols;
  const float* vertices;   // rows * cols * 3 (x, y, z), row-major
  const float* normals;    // rows * cols * 3
  const float* texcoords;  // rows * cols * 2 (s, t)
  int strips;              // strips emitted in the first pass
  const int* stripRows;    // strips * 2 row indices (first row, second row), in emit order
  int mirroredStrips;      // strips emitted again with y negated (the first ones of the list)
};

// Indexed triangle model (the large fish's body).
struct TriangleModel {
  int triangleCount;
  const std::uint16_t* indices;  // 9 per triangle: 3 vertex, 3 normal, 3 texcoord indices
  int vertexCount;
  const float* vertices;  // vertexCount * 3
  int normalCount;
  const float* normals;   // normalCount * 3
  int texcoordCount;
  const float* texcoords;  // texcoordCount * 2
  int runCount;
  const int* runs;  // runCount * 2: material number 0..10, triangle count
};

}  // namespace fish::models
