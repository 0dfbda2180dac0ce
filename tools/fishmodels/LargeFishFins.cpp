#include "LargeFish.h"

namespace fishgen {

namespace {

// The draw places a fin vertex f at 1.2 * size * f + offset and a body vertex b at size * b
// (before the common turn and scale). The fins are designed on the body at this size, where
// they sit exactly; at the smaller size 8 they sink into the body a little, which is why
// every fin starts with a root row buried inside it.
constexpr double kDesignSize = 20.0;
constexpr double kFinScale = 1.2;
const V3 kFinOffset{-0.500001, -8.49999, -6.7};
constexpr double kBuryDepth = 0.14;  // how deep row 0 lies below the skin

V3 ToFinSpace(const V3& b) {
  return (b * kDesignSize - kFinOffset) * (1.0 / (kFinScale * kDesignSize));
}

// Unit normal of the torso at (x, phi), pointing out.
V3 TorsoNormal(double x, double phi) {
  V3 n = Cross(LargeTorsoPoint(x + 1e-4, phi) - LargeTorsoPoint(x - 1e-4, phi),
               LargeTorsoPoint(x, phi + 1e-4) - LargeTorsoPoint(x, phi - 1e-4));
  n = Normalize(n);
  V3 p = LargeTorsoPoint(x, phi);
  return Dot(n, p - LargeAxis(x)) < 0 ? -n : n;
}

// The paired fins wear the fin-ray swatch in the skin's top-left corner, which no body
// triangle reaches (LargeFinSwatchIsReserved): s across the rays (from the fin's first
// column to its last), t from the root (bottom) to the free edge (top).
void WearFinSwatch(PartGrid& g, double s0, double s1) {
  for (int r = 0; r < g.rows; ++r)
    for (int c = 0; c < g.cols; ++c)
      g.tex[r * g.cols + c] = {Lerp(s0, s1, double(c) / (g.cols - 1)),
                               Lerp(kLargeFinSwatchBottom + 0.01, kLargeFinSwatchTop - 0.01,
                                    double(r) / (g.rows - 1))};
}

// A fin that grows out of the body: the root runs along the skin from (x0, phi0) to
// (x1, phi1) (degrees); `edge(v)` gives, for column v, the direction and the length of the
// rays. Row 0 is buried, row 1 on the skin, the last row the free edge.
struct RayFin {
  double x0, phi0, x1, phi1;
  std::function<V3(double v)> ray;  // direction * length
  double lift;                      // stand-off from the skin along the rays' whole length
};

PartGrid BuildRayFin(const std::string& name, int rows, const RayFin& f) {
  auto surface = [=](double u, double v) {
    double x = Lerp(f.x0, f.x1, v), phi = Lerp(f.phi0, f.phi1, v) * kPi / 180;
    V3 skin = LargeTorsoPoint(x, phi);
    V3 n = TorsoNormal(x, phi);
    double r = u * (rows - 1);  // row position
    if (r <= 1.0) return skin + n * (f.lift * r - kBuryDepth * (1 - r));
    double w = (r - 1) / (rows - 2);
    V3 ray = f.ray(v);
    // Rays curve a little towards their tips.
    return skin + n * f.lift + ray * w + n * (0.04 * Length(ray) * w * w);
  };
  auto outward = [](const V3&, double, double) { return V3{0, 1, 0}; };
  PartGrid g = LoftPart(name, rows, 9, surface, outward, LargeSkinCoord);
  for (V3& p : g.pos) p = ToFinSpace(p);
  return g;
}

// Strips from the skin outwards, then the buried root strip last (it has no mirrored copy).
void RootLastStrips(PartGrid& g) {
  g.strips.clear();
  for (int r = 1; r + 1 < g.rows; ++r) g.strips.push_back({r, r + 1});
  g.strips.push_back({0, 1});
  g.mirrored = g.rows - 2;
}

std::function<V3(double)> Fan(V3 dir0, V3 dir1, double len0, double len1, double bulge) {
  return [=](double v) {
    V3 d = Normalize(Lerp(dir0, dir1, v));
    return d * (Lerp(len0, len1, v) * (1 + bulge * std::sin(kPi * v)));
  };
}

// The gill cover: a plate lying on the cheek, hinged at its front edge (rows 0..3 stay) with
// its rear rim free to flare; columns from top to bottom.
PartGrid GillCover() {
  constexpr double kHingeX = 1.47, kRimX = 1.06, kLift = 0.018;
  auto surface = [=](double u, double v) {
    double phi = Lerp(40.0, 118.0, v) * kPi / 180;  // upper cheek: stays near the body at size 8
    double curve = 0.1 * std::sin(kPi * v);  // the rim bows backwards
    double x = Lerp(kHingeX, kRimX - curve, u);
    V3 skin = LargeTorsoPoint(x, phi);
    V3 n = TorsoNormal(x, phi);
    double lift = u < 0.1 ? Lerp(-kBuryDepth * 0.5, kLift, u / 0.1) : kLift + 0.03 * u * u;
    return skin + n * lift;
  };
  auto outward = [](const V3& p, double, double) { return p - LargeAxis(p.x); };
  PartGrid g = LoftPart("gill covers", 10, 9, surface, outward, LargeSkinCoord);
  for (V3& p : g.pos) p = ToFinSpace(p);
  SequentialStrips(g);
  return g;
}

}  // namespace

std::vector<PartGrid> BuildLargeFishFins() {
  std::vector<PartGrid> fins;
  PartGrid pelvic = BuildRayFin(
      "pelvic fins", 9,
      {0.86, 150, 0.6, 156, Fan({-0.75, 0.35, -0.9}, {-1, 0.3, -0.55}, 0.5, 0.42, 0.12), 0.0});
  SequentialStrips(pelvic);
  WearFinSwatch(pelvic, kLargeFinSwatchLeft + 0.01, kLargeFinSwatchRight - 0.01);
  fins.push_back(pelvic);
  // The pectoral fin is a rounded fan in two halves that share the middle ray.
  const V3 upper{-1, 0.32, -0.05}, middle{-1, 0.36, -0.3}, lower{-1, 0.3, -0.62};
  PartGrid front = BuildRayFin("pectoral fin front half", 10,
                               {1.02, 98, 0.95, 116, Fan(upper, middle, 0.62, 0.8, 0.05), 0.0});
  RootLastStrips(front);
  const double middleS = (kLargeFinSwatchLeft + kLargeFinSwatchRight) / 2;
  WearFinSwatch(front, kLargeFinSwatchLeft + 0.01, middleS);
  fins.push_back(front);
  PartGrid rear = BuildRayFin("pectoral fin rear half", 10,
                              {0.95, 116, 0.88, 134, Fan(middle, lower, 0.8, 0.6, 0.05), 0.0});
  RootLastStrips(rear);
  WearFinSwatch(rear, middleS, kLargeFinSwatchRight - 0.01);
  fins.push_back(rear);
  PartGrid jaw = BuildRayFin(
      "upper jaw plates", 10,
      {2.12, 112, 1.68, 104, Fan({-0.25, 0.12, -1}, {-0.1, 0.15, -1}, 0.1, 0.16, 0.1), 0.012});
  RootLastStrips(jaw);
  fins.push_back(jaw);
  fins.push_back(GillCover());
  return fins;
}

}  // namespace fishgen
