#include "Measure.h"

#include <algorithm>
#include <cmath>

namespace fishgen {

namespace {

constexpr int kWavePhases = 24;  // body wave phases tried over one cycle
constexpr int kRootSamples = 16;  // points along a fin's root strip
constexpr double kUsualLargeSize = 20.0;
constexpr double kFinScale = 1.2;
const V3 kFinOffset{-0.500001, -8.49999, -6.7};

V3 TurnZ(const V3& p, double degrees) {
  const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
  return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
}

// Distance from (y, z) to the closed polygon `ring`, 0 inside it.
double OutsidePolygon(double y, double z, const std::vector<V3>& ring) {
  bool inside = false;
  double best = 1e30;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const double yi = ring[i].y, zi = ring[i].z, yj = ring[j].y, zj = ring[j].z;
    if ((zi > z) != (zj > z) && y < (yj - yi) * (z - zi) / (zj - zi) + yi) inside = !inside;
    const double ey = yj - yi, ez = zj - zi, len2 = ey * ey + ez * ez;
    const double t = len2 > 0 ? Clamp(((y - yi) * ey + (z - zi) * ez) / len2, 0.0, 1.0) : 0.0;
    best = std::min(best, std::hypot(y - (yi + t * ey), z - (zi + t * ez)));
  }
  return inside ? 0.0 : best;
}

// Distance from p (in the strip's own frame) to the solid that strip (rows a, b) encloses.
double OutsideStrip(const V3& p, const PartGrid& g, const std::vector<V3>& pos, int a, int b) {
  double xa = 0, xb = 0;
  for (int c = 0; c < g.cols; ++c) {
    xa += pos[a * g.cols + c].x / g.cols;
    xb += pos[b * g.cols + c].x / g.cols;
  }
  const double t = Clamp((p.x - xa) / (xb - xa), 0.0, 1.0);
  const double beyond = p.x < std::min(xa, xb) ? std::min(xa, xb) - p.x
                        : p.x > std::max(xa, xb) ? p.x - std::max(xa, xb) : 0.0;
  std::vector<V3> ring;
  for (int c = 0; c < g.cols; ++c) ring.push_back(Lerp(pos[a * g.cols + c], pos[b * g.cols + c], t));
  return std::hypot(beyond, OutsidePolygon(p.y, p.z, ring));
}

// The trunk's rows at the slow fish's size, moved by the body wave at `phase`.
std::vector<V3> TrunkRows(const SlowPart& trunk, double phase) {
  const PartGrid& g = trunk.grid;
  std::vector<V3> pos;
  for (const V3& p : g.pos) pos.push_back(p * kSlowSize);
  for (const Drive& d : trunk.drives) {
    if (d.sampleArray != 0) continue;  // the other arrays never move the trunk
    for (int r = d.firstRow; r <= d.lastRow; ++r)
      for (int c = 0; c < g.cols; ++c) {
        const int k = std::min(d.indexBy == 1 ? r : c, 13);
        const double sample =
            std::sin(k * kSlowBodyWaveNumber + phase) * kSlowSize * kSlowBodyWaveAmplitude;
        V3& p = pos[r * g.cols + c];
        (d.axis == 0 ? p.x : d.axis == 1 ? p.y : p.z) += sample;
      }
  }
  return pos;
}

const SlowPart* FindTrunk(const std::vector<SlowPart>& slow) {
  for (const SlowPart& p : slow)
    if (p.yawEntry < 0) return &p;
  return nullptr;
}

// Closest distance from p to triangle (a, b, c).
double TriangleDistance(const V3& p, const V3& a, const V3& b, const V3& c) {
  const V3 ab = b - a, ac = c - a, ap = p - a;
  const double d1 = Dot(ab, ap), d2 = Dot(ac, ap);
  if (d1 <= 0 && d2 <= 0) return Length(ap);
  const V3 bp = p - b;
  const double d3 = Dot(ab, bp), d4 = Dot(ac, bp);
  if (d3 >= 0 && d4 <= d3) return Length(bp);
  const double vc = d1 * d4 - d3 * d2;
  if (vc <= 0 && d1 >= 0 && d3 <= 0) return Length(p - (a + ab * (d1 / (d1 - d3))));
  const V3 cp = p - c;
  const double d5 = Dot(ab, cp), d6 = Dot(ac, cp);
  if (d6 >= 0 && d5 <= d6) return Length(cp);
  const double vb = d5 * d2 - d1 * d6;
  if (vb <= 0 && d2 >= 0 && d6 <= 0) return Length(p - (a + ac * (d2 / (d2 - d6))));
  const double va = d3 * d6 - d5 * d4;
  if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0)
    return Length(p - (b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)))));
  const double denom = 1.0 / (va + vb + vc);
  return Length(p - (a + ab * (vb * denom) + ac * (vc * denom)));
}

}  // namespace

namespace {

// The worst gap with strip k turned, relative to strip k - 1, about (pivotX(k), 0).
template <class Pivot>
double StripGap(const std::vector<SlowPart>& slow, double bendStep, Pivot pivotX) {
  const SlowPart* trunk = FindTrunk(slow);
  if (!trunk) return 1e30;
  const PartGrid& g = trunk->grid;
  double worst = 0;
  for (int w = 0; w < kWavePhases; ++w) {
    const std::vector<V3> pos = TrunkRows(*trunk, 2 * kPi * w / kWavePhases);
    for (double sign : {1.0, -1.0})
      for (std::size_t k = 1; k < g.strips.size(); ++k) {
        // The strip before is turned by entry k - 1, this one by entry k.
        const double turn = -sign * bendStep;  // entry k relative to entry k - 1
        const int front = g.strips[k].first;
        const V3 pivot{pivotX(static_cast<int>(k)), 0, 0};
        for (int c = 0; c < g.cols; ++c) {
          const V3 p = TurnZ(pos[front * g.cols + c] - pivot, turn) + pivot;
          const double o = OutsideStrip(p, g, pos, g.strips[k - 1].first, g.strips[k - 1].second);
          worst = std::max(worst, o);
        }
      }
  }
  return worst;
}

}  // namespace

double KoiStripGap(const std::vector<SlowPart>& slow, const SlowJoints& joints, double bendStep) {
  const SlowPart* trunk = FindTrunk(slow);
  if (!trunk || joints.x.size() < trunk->grid.strips.size()) return 1e30;
  return StripGap(slow, bendStep, [&](int k) { return joints.x[k] * kSlowSize; });
}

double KoiStripGapAboutOrigin(const std::vector<SlowPart>& slow, double bendStep) {
  return StripGap(slow, bendStep, [](int) { return 0.0; });
}

double KoiRimStep(const std::vector<SlowPart>& slow) {
  const SlowPart* trunk = FindTrunk(slow);
  if (!trunk) return 1e30;
  const PartGrid& g = trunk->grid;
  const std::vector<V3> pos = TrunkRows(*trunk, 0.0);
  double worst = 0;
  for (std::size_t k = 0; k + 1 < g.strips.size(); ++k) {
    const int rim = g.strips[k].second;
    for (int c = 0; c < g.cols; ++c)
      worst = std::max(worst, OutsideStrip(pos[rim * g.cols + c], g, pos, g.strips[k + 1].first,
                                           g.strips[k + 1].second));
  }
  return worst;
}

double LargeFinRootDistance(const LargeFishModel& large, FinPlacement placement) {
  const double size = placement.size;
  const double offsetScale = placement.scaleOffset ? size / kUsualLargeSize : 1.0;
  std::vector<V3> body;
  for (const V3& v : large.body.vertices) body.push_back(v * size);
  double worst = 0;
  for (std::size_t f = 0; f < large.fins.size(); ++f) {
    const PartGrid& g = large.fins[f];
    // Neither wave moves a fin's first two rows (the flap's samples 0 and 1 and the
    // ripple's 0 to 3 are zero), so the root stands where it is at every phase of both.
    {
      for (int c = 0; c < g.cols; ++c) {
        // The root strip (row 0, buried or on the skin, to row 1) must reach the skin: the
        // nearest of the points along it.
        V3 ends[2];
        for (int r = 0; r < 2; ++r) {
          ends[r] = g.pos[r * g.cols + c] * (size * kFinScale) + kFinOffset * offsetScale;
        }
        double nearest = 1e30;
        for (int k = 0; k <= kRootSamples; ++k) {
          const V3 p = Lerp(ends[0], ends[1], double(k) / kRootSamples);
          // The body is symmetric, so the mirrored pass lies as close as the first.
          for (const auto& t : large.body.triangles)
            nearest = std::min(nearest, TriangleDistance(p, body[t[0]], body[t[1]], body[t[2]]));
        }
        worst = std::max(worst, nearest);
      }
    }
  }
  return worst;
}

}  // namespace fishgen
