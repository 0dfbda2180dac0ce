#include "Part.h"

namespace fishgen {

namespace {
constexpr double kStep = 1e-4;

V3 Partial(const SurfaceFn& f, double u, double v, bool alongU) {
  double a = alongU ? u : v;
  double lo = Clamp(a - kStep, 0.0, 1.0), hi = Clamp(a + kStep, 0.0, 1.0);
  V3 p0 = alongU ? f(lo, v) : f(u, lo);
  V3 p1 = alongU ? f(hi, v) : f(u, hi);
  return (p1 - p0) * (1.0 / (hi - lo));
}
}  // namespace

V3 SurfaceNormal(const SurfaceFn& surface, double u, double v) {
  V3 n = Cross(Partial(surface, u, v, true), Partial(surface, u, v, false));
  if (Length(n) > 1e-9) return Normalize(n);
  // A collapsed row or column (a tip): average the normals just beside it.
  V3 sum;
  const double offsets[] = {0.01, 0.02};
  for (double d : offsets) {
    for (double du : {-d, 0.0, d}) {
      for (double dv : {-d, 0.0, d}) {
        double uu = Clamp(u + du, 0.0, 1.0), vv = Clamp(v + dv, 0.0, 1.0);
        V3 m = Cross(Partial(surface, uu, vv, true), Partial(surface, uu, vv, false));
        if (Length(m) > 1e-9) sum += Normalize(m);
      }
    }
    if (Length(sum) > 1e-9) break;
  }
  return Normalize(sum);
}

PartGrid LoftPart(const std::string& name, int rows, int cols, const SurfaceFn& surface,
                  const OutwardFn& outward, const TexFn& tex) {
  PartGrid g;
  g.name = name;
  g.rows = rows;
  g.cols = cols;
  for (int r = 0; r < rows; ++r) {
    double u = rows > 1 ? double(r) / (rows - 1) : 0.0;
    for (int c = 0; c < cols; ++c) {
      double v = cols > 1 ? double(c) / (cols - 1) : 0.0;
      V3 p = surface(u, v);
      V3 n = SurfaceNormal(surface, u, v);
      if (Dot(n, outward(p, u, v)) < 0) n = -n;
      g.pos.push_back(p);
      g.nrm.push_back(n);
      g.tex.push_back(tex(p));
    }
  }
  return g;
}

void SequentialStrips(PartGrid& part) {
  part.strips.clear();
  for (int r = 0; r + 1 < part.rows; ++r) part.strips.push_back({r, r + 1});
  part.mirrored = static_cast<int>(part.strips.size());
}

}  // namespace fishgen
