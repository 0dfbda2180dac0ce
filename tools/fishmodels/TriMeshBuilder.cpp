#include "TriMeshBuilder.h"

#include <cmath>
#include <map>
#include <tuple>

namespace fishgen {

int TriMeshBuilder::AddVertex(const V3& p) {
  vertices_.push_back(p);
  crease_.push_back(false);
  return static_cast<int>(vertices_.size()) - 1;
}

void TriMeshBuilder::BeginRun(int material) { runs_.push_back({material, 0}); }

void TriMeshBuilder::AddTriangle(int a, int b, int c, int group, const V3& outside,
                                 std::array<int, 3> islands) {
  V3 n = Cross(vertices_[b] - vertices_[a], vertices_[c] - vertices_[a]);
  Tri t{{a, b, c}, group, {islands[0], islands[1], islands[2]}};
  if (Dot(n, outside) < 0) {
    std::swap(t.v[1], t.v[2]);
    std::swap(t.island[1], t.island[2]);
  }
  tris_.push_back(t);
  if (runs_.empty()) runs_.push_back({0, 0});
  runs_.back().second++;
}

void TriMeshBuilder::JoinRows(const std::vector<int>& a, const std::vector<int>& b, int group,
                              const std::function<V3(const V3&)>& outside, int island) {
  const double na = a.size() - 1.0, nb = b.size() - 1.0;
  std::size_t i = 0, j = 0;
  while (i + 1 < a.size() || j + 1 < b.size()) {
    bool advanceA;
    if (i + 1 >= a.size()) advanceA = false;
    else if (j + 1 >= b.size()) advanceA = true;
    else advanceA = (i + 1) / na <= (j + 1) / nb;
    int p = a[i], q = b[j];
    int r = advanceA ? a[i + 1] : b[j + 1];
    V3 centre = (vertices_[p] + vertices_[q] + vertices_[r]) * (1.0 / 3);
    AddTriangle(p, q, r, group, outside(centre), {island, island, island});
    if (advanceA) ++i;
    else ++j;
  }
}

TriMesh TriMeshBuilder::Finish(const std::function<V2(const V3&)>& tex) const {
  TriMesh m;
  for (const V3& v : vertices_) m.vertices.push_back(v);
  std::map<std::pair<int, int>, int> normalIndex;
  std::vector<V3> normalSum;
  std::map<std::tuple<int, long long, long long>, int> texIndex;
  for (const Tri& t : tris_) {
    const V3 &a = vertices_[t.v[0]], &b = vertices_[t.v[1]], &c = vertices_[t.v[2]];
    V3 face = Cross(b - a, c - a);  // length = twice the area
    std::array<int, 9> out{};
    for (int k = 0; k < 3; ++k) {
      int v = t.v[k];
      std::pair<int, int> key{v, crease_[v] ? t.group : -1};
      auto it = normalIndex.find(key);
      if (it == normalIndex.end()) {
        it = normalIndex.emplace(key, static_cast<int>(normalSum.size())).first;
        normalSum.push_back({});
      }
      normalSum[it->second] += face;
      V2 st = tex(vertices_[v]);
      std::tuple<int, long long, long long> tkey{t.island[k], std::llround(st.s * 1e6),
                                                 std::llround(st.t * 1e6)};
      auto ti = texIndex.find(tkey);
      if (ti == texIndex.end()) {
        ti = texIndex.emplace(tkey, static_cast<int>(m.texcoords.size())).first;
        m.texcoords.push_back(st);
      }
      out[k] = v;
      out[3 + k] = it->second;
      out[6 + k] = ti->second;
    }
    m.triangles.push_back(out);
  }
  for (const V3& n : normalSum) m.normals.push_back(Normalize(n));
  m.runs = runs_;
  return m;
}

}  // namespace fishgen
