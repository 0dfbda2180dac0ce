#pragma once
#include <array>
#include <functional>
#include <vector>

#include "Models.h"

namespace fishgen {

// Builds an indexed triangle model. Normals are shared per vertex, except at vertices marked
// as creases, which get one normal per smoothing group of the triangles around them; every
// normal is the area-weighted mean of its triangles. Texture coordinates are shared wherever
// the same value lies in the same island, so the two mirrored halves of a planar-mapped body
// share theirs.
class TriMeshBuilder {
 public:
  int AddVertex(const V3& p);
  const V3& Vertex(int i) const { return vertices_[i]; }
  int VertexCount() const { return static_cast<int>(vertices_.size()); }
  void MarkCrease(int vertex) { crease_[vertex] = true; }

  void BeginRun(int material);
  // Adds a triangle wound so that its face normal points towards `outside`.
  void AddTriangle(int a, int b, int c, int group, const V3& outside,
                   std::array<int, 3> islands = {0, 0, 0});
  // Joins two open rows of vertices (possibly of different lengths) by a band of triangles,
  // advancing along whichever row is behind in its own parameter.
  void JoinRows(const std::vector<int>& a, const std::vector<int>& b, int group,
                const std::function<V3(const V3&)>& outside, int island = 0);

  int TriangleCount() const { return static_cast<int>(tris_.size()); }
  TriMesh Finish(const std::function<V2(const V3&)>& tex) const;

 private:
  struct Tri {
    int v[3];
    int group;
    int island[3];
  };
  std::vector<V3> vertices_;
  std::vector<bool> crease_;
  std::vector<Tri> tris_;
  std::vector<std::pair<int, int>> runs_;
};

}  // namespace fishgen
