#pragma once
#include <cstdint>

// Model data of the fish bodies. Every part is a grid of profile rows; a strip joins two
// rows into a quad strip. Model space: x along the body (head at -x), y across (mirror
// plane y = 0), z up. Texture s runs from the nose (0) to the tail-fin tip (1), t from the
// fish's lowest point (0) to its highest fin tip (1): each skin is a side view, head left.
// The large fish is the exception in its axes: its head is at +x (its draw turns it 180
// degrees about z), still with z up and the mirror plane y = 0.
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

// Which wave samples move a slow fish part. The samples already include the fish's size and
// are added to the scaled coordinate; a mirrored pass negates y after the displacement.
struct SlowPartDrive {
  int sampleArray;        // 0 body wave (14 samples), 1..5 shared generators 1..5
                          // (8, 9, 12, 12, 9 samples), 6 the zero array (8)
  int axis;               // 0 x, 1 y, 2 z (model axes)
  int firstRow, lastRow;  // rows displaced, inclusive
  int indexBy;            // 0: sample index = column, 1: = row (clamped to size - 1)
};

// The slow fish's joints, one per bend entry: joint k (along x, model units) is where trunk
// strip k begins, the last where the trunk ends; the anchor entry's strip turns about the
// origin and the others hang from their neighbours (fish/SlowFishJoints.h).
inline constexpr int kSlowJointCount = 14;
struct SlowJointModel {
  float x[kSlowJointCount];
  int anchor;
};

struct SlowPartModel {
  PartModel part;
  int yawEntry;  // bend entry turning the part; -1: the trunk (strip k turned by entry k)
  int driveCount;
  SlowPartDrive drives[2];
};

}  // namespace fish::models
