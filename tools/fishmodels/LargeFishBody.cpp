#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "LargeFish.h"
#include "Profile.h"
#include "TriMeshBuilder.h"

namespace fishgen {

namespace {

constexpr double kTorsoFrontX = 2.2;
constexpr double kTorsoRearX = -1.3;
constexpr double kTailEndX = -1.36;
constexpr double kSkinBottomZ = -0.87;  // the pelvic fins' tips
constexpr double kSkinTopZ = 1.0;      // the spiny dorsal fin
constexpr double kGillX = 1.08;        // rear edge of the gill cover: a crease ring
constexpr double kPreopercleX = 1.45;  // the cheek's rear edge: a second crease ring

// Materials of the body's triangle runs.
enum Material { kHeadSkin = 0, kBodySkin = 1, kEyes = 2, kLip = 3, kSpinyDorsal = 4,
                kSoftDorsal = 5, kAnal = 6, kCaudal = 7 };
// Smoothing groups.
enum Group { kTorsoBody = 0, kTorsoGill = 1, kTorsoHead = 2, kEyeGroup = 3, kLipGroup = 4,
             kFinRight = 5, kFinLeft = 6 };
// Texture islands.
enum Island { kMain = 0, kLeftSeam = 1, kEyeIsland = 2, kLeftEyeIsland = 3 };

const Profile kHalfHeight{{2.25, 0.0}, {2.2, 0.16}, {2.05, 0.31}, {1.8, 0.43}, {1.3, 0.56},
                          {0.5, 0.6}, {-0.3, 0.52}, {-0.9, 0.32}, {-1.3, 0.2}};
const Profile kHalfWidth{{2.25, 0.0}, {2.2, 0.11}, {2.05, 0.22}, {1.8, 0.3}, {1.3, 0.38},
                         {0.5, 0.39}, {-0.3, 0.31}, {-0.9, 0.16}, {-1.3, 0.09}};
const Profile kCentreZ{{2.25, -0.1}, {1.6, -0.02}, {0.5, 0.0}, {-1.3, 0.03}};

struct Params {
  int ringVerts;  // M, even: top and bottom on the mirror plane
  int rings;      // K
  int eyeSides, eyeRings;
  int lipHalf;    // the lip's outer row has 2p+1 vertices, its inner row 2p
};

struct Solved {
  std::array<int, 4> finCols{};  // columns of the spiny dorsal, soft dorsal, anal, tail fin
  std::array<bool, 4> leftFinIsland{};
  bool leftEyeIsland = false;
  int gillCrease = 0, preopercleCrease = 0;
  int topSeam = 0, bottomSeam = 0;
};

double RingX(const Params& p, int i) {
  return Lerp(kTorsoFrontX, kTorsoRearX, double(i) / (p.rings - 1));
}

// Vertices of a ring marked as crease: a symmetric arc of `count` vertices around the
// bottom (odd counts) or the whole ring.
std::vector<int> CreaseArc(int m, int count) {
  std::vector<int> js;
  if (count <= 0) return js;
  if (count >= m) {
    for (int j = 0; j < m; ++j) js.push_back(j);
    return js;
  }
  int q = (count - 1) / 2;
  for (int d = -q; d <= q; ++d) js.push_back((m / 2 + d + m) % m);
  return js;
}

void AddTorso(TriMeshBuilder& b, const Params& p, const Solved& s) {
  const int m = p.ringVerts, k = p.rings;
  std::vector<std::vector<int>> ring(k, std::vector<int>(m));
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < m; ++j) ring[i][j] = b.AddVertex(LargeTorsoPoint(RingX(p, i), 2 * kPi * j / m));
  int nose = b.AddVertex(LargeAxis(kLargeNoseX));
  int tail = b.AddVertex(LargeAxis(kTailEndX));
  int gill = 0, pre = 0;
  for (int i = 0; i < k; ++i) {
    if (RingX(p, i) >= kGillX) gill = i;
    if (RingX(p, i) >= kPreopercleX) pre = i;
  }
  for (int j : CreaseArc(m, s.gillCrease)) b.MarkCrease(ring[gill][j]);
  for (int j : CreaseArc(m, s.preopercleCrease)) b.MarkCrease(ring[pre][j]);

  auto outside = [](const V3& c) { return c - LargeAxis(c.x); };
  // The left half (y < 0) keeps its own texture coordinates along the seams of the back and
  // the belly, as far back as the seams run.
  auto island = [&](int i, int j, double y) {
    if (y >= 0) return int(kMain);
    if (j == 0 && i < s.topSeam) return int(kLeftSeam);
    if (j == m / 2 && i < s.bottomSeam) return int(kLeftSeam);
    return int(kMain);
  };
  auto group = [&](int i) { return i < pre ? kTorsoHead : (i < gill ? kTorsoGill : kTorsoBody); };

  b.BeginRun(kHeadSkin);
  for (int j = 0; j < m; ++j) {
    int j1 = (j + 1) % m;
    V3 c = (b.Vertex(nose) + b.Vertex(ring[0][j]) + b.Vertex(ring[0][j1])) * (1.0 / 3);
    b.AddTriangle(nose, ring[0][j], ring[0][j1], kTorsoHead, V3{1, 0, 0} + outside(c) * 0.1,
                  {kMain, island(0, j, c.y), island(0, j1, c.y)});
  }
  for (int i = 0; i + 1 < k; ++i) {
    if (i == gill) b.BeginRun(kBodySkin);
    for (int j = 0; j < m; ++j) {
      int j1 = (j + 1) % m;
      int a = ring[i][j], bb = ring[i][j1], c = ring[i + 1][j], d = ring[i + 1][j1];
      V3 centre = (b.Vertex(a) + b.Vertex(bb) + b.Vertex(c) + b.Vertex(d)) * 0.25;
      double y = centre.y;
      b.AddTriangle(a, bb, d, group(i), outside(centre),
                    {island(i, j, y), island(i, j1, y), island(i + 1, j1, y)});
      b.AddTriangle(a, d, c, group(i), outside(centre),
                    {island(i, j, y), island(i + 1, j1, y), island(i + 1, j, y)});
    }
  }
  for (int j = 0; j < m; ++j) {
    int j1 = (j + 1) % m;
    V3 c = (b.Vertex(tail) + b.Vertex(ring[k - 1][j]) + b.Vertex(ring[k - 1][j1])) * (1.0 / 3);
    b.AddTriangle(tail, ring[k - 1][j], ring[k - 1][j1], kTorsoBody,
                  V3{-1, 0, 0} + outside(c) * 0.1,
                  {kMain, island(k - 1, j, c.y), island(k - 1, j1, c.y)});
  }
}

// A domed eye on the side of the head (side +1 right, -1 left): a centre vertex and rings.
void AddEye(TriMeshBuilder& b, const Params& p, double side, int island) {
  constexpr double kX = 1.72, kPhi = 55.0 * kPi / 180, kRadius = 0.085, kDome = 0.035;
  V3 base = LargeTorsoPoint(kX, kPhi);
  V3 n = Normalize(Cross(LargeTorsoPoint(kX + 1e-4, kPhi) - LargeTorsoPoint(kX - 1e-4, kPhi),
                         LargeTorsoPoint(kX, kPhi + 1e-4) - LargeTorsoPoint(kX, kPhi - 1e-4)));
  if (Dot(n, base - LargeAxis(kX)) < 0) n = -n;
  V3 t1 = Normalize(V3{1, 0, 0} - n * n.x), t2 = Cross(n, t1);
  auto at = [&](double u, double a) {
    V3 q = base + n * (kDome * (1 - u * u) - 0.01) + (t1 * std::cos(a) + t2 * std::sin(a)) * (kRadius * u);
    q.y *= side;
    return q;
  };
  const V3 centre = [&] { V3 c = base - n * kRadius; c.y *= side; return c; }();
  auto outside = [&](const V3& c) { return c - centre; };
  int mid = b.AddVertex(at(0, 0));
  std::vector<std::vector<int>> rings(p.eyeRings, std::vector<int>(p.eyeSides));
  for (int r = 0; r < p.eyeRings; ++r)
    for (int k = 0; k < p.eyeSides; ++k)
      rings[r][k] = b.AddVertex(at(double(r + 1) / p.eyeRings, 2 * kPi * (k + 0.5 * r) / p.eyeSides));
  const std::array<int, 3> isl{island, island, island};
  for (int k = 0; k < p.eyeSides; ++k) {
    int k1 = (k + 1) % p.eyeSides;
    V3 c = (b.Vertex(mid) + b.Vertex(rings[0][k]) + b.Vertex(rings[0][k1])) * (1.0 / 3);
    b.AddTriangle(mid, rings[0][k], rings[0][k1], kEyeGroup, outside(c), isl);
  }
  for (int r = 0; r + 1 < p.eyeRings; ++r)
    for (int k = 0; k < p.eyeSides; ++k) {
      int k1 = (k + 1) % p.eyeSides;
      int a = rings[r][k], bb = rings[r][k1], c = rings[r + 1][k], d = rings[r + 1][k1];
      V3 ctr = (b.Vertex(a) + b.Vertex(bb) + b.Vertex(c) + b.Vertex(d)) * 0.25;
      // Ring r + 1 is turned half a step, so (a, c, b) and (b, c, d) tile the band.
      b.AddTriangle(a, c, bb, kEyeGroup, outside(ctr), isl);
      b.AddTriangle(bb, c, d, kEyeGroup, outside(ctr), isl);
    }
}

// The protruding lower lip: a U-shaped band under the snout. Its outer row has a vertex on
// the mirror plane, its inner row straddles it.
void AddLip(TriMeshBuilder& b, const Params& p) {
  const double cx = 2.0, cz = kCentreZ(2.1) - 0.12;
  const int outerN = 2 * p.lipHalf + 1, innerN = 2 * p.lipHalf;
  auto point = [&](double f, double grow, double dz) {
    double psi = Lerp(-85.0, 85.0, f) * kPi / 180;
    return V3{cx + 0.2 * grow * std::cos(psi), 0.19 * grow * std::sin(psi), cz + dz};
  };
  std::vector<int> outer, inner;
  for (int i = 0; i < outerN; ++i) outer.push_back(b.AddVertex(point(double(i) / (outerN - 1), 1.08, 0.0)));
  for (int i = 0; i < innerN; ++i)
    inner.push_back(b.AddVertex(point((i + 0.5) / innerN, 0.93, 0.05)));
  b.JoinRows(outer, inner, kLipGroup, [&](const V3& c) {
    return V3{c.x - cx, c.y, -0.6};
  });
}

// A fin as two faces (right and left) that meet at the fin's free edge, whose vertices they
// share (with a normal for each face); the root row lies inside the body. Rows run from the
// root to the edge, columns along the fin. `at(u, v)` is the fin's mid surface; the faces
// stand off it by the fin's thickness, which runs out towards the edge.
struct FinShape {
  std::function<V3(double u, double v)> at;
  double thickness;
};

constexpr int kFinRows = 3;

void AddFin(TriMeshBuilder& b, const FinShape& f, int cols, bool ownLeftIsland) {
  auto point = [&](int r, int c, double side) {
    double u = double(r) / (kFinRows - 1), v = double(c) / (cols - 1);
    V3 q = f.at(u, v);
    q.y += side * f.thickness * (1 - u) * (1 - u);
    return q;
  };
  std::vector<int> edge;
  for (int c = 0; c < cols; ++c) {
    edge.push_back(b.AddVertex(point(kFinRows - 1, c, 0)));
    b.MarkCrease(edge.back());
  }
  for (double side : {1.0, -1.0}) {
    std::vector<std::vector<int>> rows;
    for (int r = 0; r + 1 < kFinRows; ++r) {
      rows.emplace_back();
      for (int c = 0; c < cols; ++c) rows.back().push_back(b.AddVertex(point(r, c, side)));
    }
    rows.push_back(edge);
    int island = side < 0 && ownLeftIsland ? kLeftSeam : kMain;
    for (int r = 0; r + 1 < kFinRows; ++r)
      b.JoinRows(rows[r], rows[r + 1], side > 0 ? kFinRight : kFinLeft,
                 [side](const V3&) { return V3{0, side, 0}; }, island);
  }
}

// A dorsal or anal fin along the back (or belly) from x0 to x1.
FinShape MedianFin(double x0, double x1, bool below, std::function<double(double)> height,
                   double thickness) {
  return {[=](double u, double v) {
            double x = Lerp(x0, x1, v);
            V3 surf = LargeTorsoPoint(x, below ? kPi : 0.0);
            double rootZ = surf.z + (below ? 0.09 : -0.09);
            double h = height(v) + 0.09;
            double lean = -0.25 * h * u;  // rays lean back (towards -x)
            return V3{x + lean, 0, rootZ + (below ? -h : h) * u};
          },
          thickness};
}

// The rounded tail fin: rows from the root inside the tail to the trailing edge, columns
// from the upper to the lower corner.
FinShape CaudalFin() {
  const double zc = kCentreZ(kTorsoRearX);
  return {[=](double u, double v) {
            double a = 2 * v - 1;
            double edgeX = kLargeTailTipX + 0.14 * a * a;
            double x = Lerp(kTorsoRearX + 0.12, edgeX, u);
            double halfSpan = Lerp(0.17, 0.64, std::pow(u, 0.8)) * (1 - 0.08 * a * a * u);
            return V3{x, 0, zc - halfSpan * a};
          },
          0.05};
}

const FinShape& FinOf(int i) {
  static const FinShape fins[] = {
      MedianFin(1.05, -0.02, false, [](double v) {
        double rise = SmoothStep(0.0, 0.25, v);
        double notch = 0.8 + 0.2 * std::fabs(std::cos(kPi * 10 * v));
        return (0.12 + 0.3 * rise - 0.06 * v) * notch;
      }, 0.05),
      MedianFin(0.02, -1.02, false, [](double v) {
        return 0.3 + 0.12 * std::sin(kPi * std::pow(v, 0.7)) - 0.22 * SmoothStep(0.75, 1.0, v);
      }, 0.04),
      MedianFin(-0.35, -1.02, true, [](double v) {
        return 0.12 + 0.3 * std::sin(kPi * std::pow(v, 0.6)) * (1 - 0.5 * v);
      }, 0.04),
      CaudalFin()};
  return fins[i];
}
constexpr int kFinCount = 4;
constexpr Material kFinMaterial[kFinCount] = {kSpinyDorsal, kSoftDorsal, kAnal, kCaudal};
// Share of the fin columns each fin gets (roughly its edge length).
constexpr double kFinShare[kFinCount] = {0.28, 0.27, 0.18, 0.27};

void AddBody(TriMeshBuilder& b, const Params& p, const Solved& s) {
  AddTorso(b, p, s);
  b.BeginRun(kEyes);
  AddEye(b, p, 1.0, kEyeIsland);
  AddEye(b, p, -1.0, s.leftEyeIsland ? kLeftEyeIsland : kEyeIsland);
  b.BeginRun(kLip);
  AddLip(b, p);
  for (int i = 0; i < kFinCount; ++i) {
    if (s.finCols[i] < 2) continue;
    b.BeginRun(kFinMaterial[i]);
    AddFin(b, FinOf(i), s.finCols[i], s.leftFinIsland[i]);
  }
}

struct Counts {
  int tris, verts, normals, texcoords;
};

Counts CountsOf(const Params& p, const Solved& s) {
  TriMeshBuilder b;
  AddBody(b, p, s);
  TriMesh m = b.Finish(LargeSkinCoord);
  return {int(m.triangles.size()), int(m.vertices.size()), int(m.normals.size()),
          int(m.texcoords.size())};
}

bool Matches(const Counts& c) {
  return c.verts == kLargeVertices && c.tris == kLargeTriangles && c.normals == kLargeNormals &&
         c.texcoords == kLargeTexcoords;
}

// Picks the resolution of the parts so that the body lands exactly on its counts. Every fin
// column adds 5 vertices and 8 triangles, every torso vertex 1 vertex and 2 triangles, so the
// fin columns and the torso grid follow from the eye and lip resolution; crease arcs at the
// gill cover and the cheek take up the remaining normals, and texture islands of the left
// fin faces, the left eye and the seams of the left half the remaining texture coordinates.
bool Solve(Params& outP, Solved& outS) {
  for (int eyeSides : {12, 10, 14, 16, 9, 11, 13, 15})
    for (int lip : {7, 6, 8, 5, 9})
      for (int m : {28, 26, 30, 24, 32}) {
        Params p{m, 0, eyeSides, 3, lip};
        Solved s;
        s.finCols = {0, 0, 0, 0};
        // Counts without fins, for two torso lengths: the rest follows linearly.
        p.rings = 30;
        Counts a = CountsOf(p, s);
        p.rings = 31;
        Counts a2 = CountsOf(p, s);
        int perRingV = a2.verts - a.verts, perRingT = a2.tris - a.tris;
        // Unknowns: rings k and fin columns n (each fin adds 5c vertices and 8c - 8 triangles).
        // V: a.verts + (k-30)*perRingV + 5n = V; T: a.tris + (k-30)*perRingT + 8n - 32 = T.
        for (int k = 24; k <= 60; ++k) {
          int restV = kLargeVertices - a.verts - (k - 30) * perRingV;
          int restT = kLargeTriangles - a.tris - (k - 30) * perRingT + 8 * kFinCount;
          if (restV <= 0 || restV % 5) continue;
          int n = restV / 5;
          if (8 * n != restT) continue;
          p.rings = k;
          std::array<int, kFinCount> cols{};
          int used = 0;
          for (int i = 0; i + 1 < kFinCount; ++i) {
            cols[i] = static_cast<int>(std::lround(n * kFinShare[i]));
            used += cols[i];
          }
          cols[kFinCount - 1] = n - used;
          // Move columns between fins to meet the texture count with whole islands.
          for (int shift = 0; shift <= 40; ++shift)
            for (int sign : {1, -1})
              for (int mask = 0; mask < (1 << kFinCount); ++mask)
                for (int eye : {0, 1}) {
                  Solved t;
                  t.finCols = cols;
                  t.finCols[0] += sign * shift;
                  t.finCols[3] -= sign * shift;
                  for (int i = 0; i < kFinCount; ++i) t.leftFinIsland[i] = mask >> i & 1;
                  t.leftEyeIsland = eye;
                  Counts c = CountsOf(p, t);
                  if (c.verts != kLargeVertices || c.tris != kLargeTriangles) goto nextK;
                  int creases = kLargeNormals - c.normals;
                  int seams = kLargeTexcoords - c.texcoords;
                  if (creases < 0 || creases > 2 * m - 1 || seams < 0 || seams > 2 * k) continue;
                  if (creases == 0) {
                    t.gillCrease = t.preopercleCrease = 0;
                  } else if (creases <= m) {
                    t.gillCrease = creases % 2 ? creases : creases - 1;
                    t.preopercleCrease = creases - t.gillCrease;
                  } else {
                    // Whole gill ring plus an odd arc, or all but one of it plus an odd arc.
                    t.gillCrease = (creases - m) % 2 ? m : m - 1;
                    t.preopercleCrease = creases - t.gillCrease;
                  }
                  t.topSeam = std::min(seams, k);
                  t.bottomSeam = seams - t.topSeam;
                  if (Matches(CountsOf(p, t))) {
                    outP = p;
                    outS = t;
                    return true;
                  }
                }
        nextK:;
        }
      }
  return false;
}

}  // namespace

V3 LargeAxis(double x) { return {x, 0, kCentreZ(x)}; }

V3 LargeTorsoPoint(double x, double phi) {
  double c = std::cos(phi), s = std::sin(phi);
  double belly = c < 0 ? 0.92 : 1.0;
  return {x, kHalfWidth(x) * s, kCentreZ(x) + kHalfHeight(x) * c * belly};
}

V2 LargeSkinCoord(const V3& p) {
  return {Clamp((kLargeNoseX - p.x) / (kLargeNoseX - kLargeTailTipX), 0.0, 1.0),
          Clamp((p.z - kSkinBottomZ) / (kSkinTopZ - kSkinBottomZ), 0.0, 1.0)};
}

TriMesh BuildLargeFishBody() {
  Params p{};
  Solved s;
  if (!Solve(p, s)) {
    std::fprintf(stderr, "fishmodels: no resolution of the large fish meets its counts\n");
    std::exit(1);
  }
  std::fprintf(stderr,
               "large fish: ring %d x %d, eye %d, lip %d, fin columns %d %d %d %d, islands "
               "%d%d%d%d eye %d, creases %d+%d, seams %d+%d\n",
               p.ringVerts, p.rings, p.eyeSides, p.lipHalf, s.finCols[0], s.finCols[1],
               s.finCols[2], s.finCols[3], s.leftFinIsland[0], s.leftFinIsland[1],
               s.leftFinIsland[2], s.leftFinIsland[3], s.leftEyeIsland, s.gillCrease,
               s.preopercleCrease, s.topSeam, s.bottomSeam);
  TriMeshBuilder b;
  AddBody(b, p, s);
  TriMesh m = b.Finish(LargeSkinCoord);
  if (std::getenv("FISHMODELS_EXTENT")) {
    double lo = 1e9, hi = -1e9;
    for (const V3& v : m.vertices) lo = std::min(lo, v.z), hi = std::max(hi, v.z);
    std::fprintf(stderr, "large fish z from %.3f to %.3f\n", lo, hi);
  }
  return m;
}

bool LargeFinSwatchIsReserved(const LargeFishModel& model) {
  for (const V2& t : model.body.texcoords)
    if (t.s > kLargeFinSwatchLeft - 0.005 && t.s < kLargeFinSwatchRight + 0.005 &&
        t.t > kLargeFinSwatchBottom - 0.005 && t.t < kLargeFinSwatchTop + 0.005) {
      std::fprintf(stderr, "fishmodels: the large fish's body reaches its fin swatch at (%.3f, %.3f)\n",
                   t.s, t.t);
      return false;
    }
  return true;
}

LargeFishModel BuildLargeFish() { return {BuildLargeFishBody(), BuildLargeFishFins()}; }

}  // namespace fishgen
