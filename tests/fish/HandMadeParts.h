#pragma once
#include <vector>

#include "fish/models/ModelTypes.h"

// Small flat parts for drawing tests: a grid of `rows` x `cols` vertices spanning
// x0..x1 and y0..y1 at height z, rows joined in sequence, every strip mirrored.
struct HandMadePart {
  std::vector<float> vertices, normals, texcoords;
  std::vector<int> stripRows;
  fish::models::PartModel model{};

  HandMadePart(int rows, int cols, float x0, float x1, float y0, float y1, float z = 0.0f) {
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < cols; ++c) {
        const float u = cols > 1 ? static_cast<float>(c) / (cols - 1) : 0.0f;
        const float v = rows > 1 ? static_cast<float>(r) / (rows - 1) : 0.0f;
        vertices.insert(vertices.end(), {x0 + (x1 - x0) * u, y0 + (y1 - y0) * v, z});
        normals.insert(normals.end(), {0.0f, 0.0f, 1.0f});
        texcoords.insert(texcoords.end(), {u, v});
      }
    }
    for (int r = 0; r + 1 < rows; ++r) stripRows.insert(stripRows.end(), {r, r + 1});
    model = {rows, cols, vertices.data(), normals.data(), texcoords.data(), rows - 1,
             stripRows.data(), rows - 1};
  }
};

// A pool fish body of the right row and column counts: body from -0.47 to 0.29 along x,
// every other part inside it except the tail fin, whose free edge (row 0) lies at its far
// end, 0.29..0.5.
struct HandMadeSpeciesParts {
  HandMadePart body{6, 23, -0.47f, 0.29f, 0.0f, 0.12f};
  HandMadePart headCap{4, 7, -0.47f, -0.40f, 0.0f, 0.05f};
  HandMadePart mouth{2, 6, -0.47f, -0.44f, 0.0f, 0.02f};
  HandMadePart pectoral{2, 23, -0.30f, -0.10f, 0.10f, 0.05f};
  HandMadePart pelvic{2, 19, -0.20f, 0.00f, 0.10f, 0.05f};
  HandMadePart rearFin{2, 10, 0.05f, 0.20f, 0.10f, 0.05f};
  HandMadePart eye{3, 7, -0.40f, -0.37f, 0.05f, 0.08f};
  std::vector<float> tailVertices;
  HandMadePart tail{2, 35, 0.29f, 0.29f, 0.0f, 0.0f};
  fish::models::PartModel parts[8];

  HandMadeSpeciesParts() {
    // Tail: row 0 (free edge) at x = 0.5, row 1 (root) at x = 0.29, spread over y.
    for (int c = 0; c < 35; ++c) {
      const float y = -0.1f + 0.2f * static_cast<float>(c) / 34.0f;
      tail.vertices[c * 3] = 0.5f;
      tail.vertices[c * 3 + 1] = y;
      tail.vertices[(35 + c) * 3] = 0.29f;
      tail.vertices[(35 + c) * 3 + 1] = y * 0.5f;
    }
    const HandMadePart* order[8] = {&body, &headCap, &mouth, &pectoral,
                                    &pelvic, &rearFin, &tail, &eye};
    for (int i = 0; i < 8; ++i) parts[i] = order[i]->model;
  }
};
