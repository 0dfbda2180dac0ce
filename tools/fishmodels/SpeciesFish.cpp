#include "SpeciesFish.h"

#include <cstdio>

#include "Profile.h"

namespace fishgen {

namespace {

constexpr double kNoseX = -0.47;       // tip of the snout
constexpr double kBodyFrontX = -0.44;  // body column 0; the head cap closes the rest
constexpr double kTailRootX = 0.29;    // body column 22
constexpr double kBodyLength = kTailRootX - kNoseX;
constexpr double kSkinBottomZ = -0.25;  // lowest fin tip: t = 0
constexpr double kSkinTopZ = 0.25;      // highest fin tip: t = 1
constexpr int kBodyRows = 6, kBodyCols = 23;

// The skins keep their top-left corner for the eye (painted by tools/artgen with the same
// numbers): the eye disc maps onto the circle at (kEyeCentreS, kEyeCentreT) with radii
// kEyeRadiusS / kEyeRadiusT, its centre on the pupil; nothing else may sample the corner
// s < kEyeSwatchRight, t > kEyeSwatchBottom.
constexpr double kEyeSwatchRight = 0.06, kEyeSwatchBottom = 0.94;
constexpr double kEyeCentreS = 0.03, kEyeCentreT = 0.97;
constexpr double kEyeRadiusS = 0.0137, kEyeRadiusT = 0.0273;

// Outline of the body along u = 0 (nose) .. 1 (tail root).
const Profile kHalfHeight{{0.0, 0.0},  {0.04, 0.062}, {0.12, 0.108}, {0.28, 0.145}, {0.42, 0.15},
                          {0.6, 0.126}, {0.8, 0.076}, {0.93, 0.046}, {1.0, 0.04}};
const Profile kHalfWidth{{0.0, 0.0},  {0.04, 0.034}, {0.14, 0.057}, {0.32, 0.061},
                         {0.55, 0.05}, {0.8, 0.028},  {1.0, 0.016}};
const Profile kCentreZ{{0.0, -0.015}, {0.2, 0.0}, {1.0, 0.004}};
// The dorsal fin rises out of the body's top row.
const Profile kDorsalCrest{{0.34, 0.0}, {0.42, 0.065}, {0.5, 0.092}, {0.6, 0.075},
                           {0.72, 0.032}, {0.8, 0.0}};

double BodyU(double x) { return (x - kNoseX) / kBodyLength; }

V2 SkinCoord(const V3& p) {
  return {Clamp(p.x - kNoseX, 0.0, 1.0), Clamp((p.z - kSkinBottomZ) / (kSkinTopZ - kSkinBottomZ), 0.0, 1.0)};
}

// Body surface at x and angle theta from the top (0) down to the bottom (pi), +y side.
V3 BodyPoint(double x, double theta, bool withCrest = true) {
  double u = BodyU(x);
  double h = kHalfHeight(u), w = kHalfWidth(u), zc = kCentreZ(u);
  double c = std::cos(theta), s = std::sin(theta);
  double crest = 0;
  if (withCrest && c > 0) crest = kDorsalCrest(u) * std::pow(c, 12.0);
  double belly = c < 0 ? 0.96 : 1.0;  // a slightly fuller back than belly
  return {x, w * s, zc + h * c * belly + crest};
}

V3 BodyAxis(double x) { return {x, 0, kCentreZ(BodyU(x))}; }

PartGrid Body() {
  auto surface = [](double u, double v) {
    return BodyPoint(Lerp(kBodyFrontX, kTailRootX, v), kPi * u);
  };
  auto outward = [](const V3& p, double, double) { return p - BodyAxis(p.x); };
  PartGrid g = LoftPart("body", kBodyRows, kBodyCols, surface, outward, SkinCoord);
  SequentialStrips(g);
  return g;
}

PartGrid HeadCap() {
  constexpr double kMaxTurn = kPi / 2 * 0.94;
  auto surface = [=](double u, double v) {
    double phi = u * kMaxTurn;
    V3 ring = BodyPoint(kBodyFrontX, kPi * v, false);
    V3 axis = BodyAxis(kBodyFrontX);
    double k = std::cos(phi);
    double x = kBodyFrontX - (kBodyFrontX - kNoseX) * std::sin(phi) / std::sin(kMaxTurn);
    return V3{x, ring.y * k, axis.z + (ring.z - axis.z) * k};
  };
  auto outward = [](const V3& p, double, double) {
    return p - V3{kBodyFrontX + 0.04, 0, kCentreZ(0.0)};
  };
  PartGrid g = LoftPart("head cap", 4, 7, surface, outward, SkinCoord);
  SequentialStrips(g);
  return g;
}

PartGrid Mouth() {
  constexpr double kCentreX = -0.44, kForward = 0.022, kSide = 0.03, kMaxTurn = 80.0 * kPi / 180;
  const double mouthZ = kCentreZ(BodyU(kCentreX)) - 0.022;
  auto surface = [=](double u, double v) {
    double psi = (1.0 - v) * kMaxTurn;  // column 0 the mouth corner, last column the middle
    double grow = Lerp(1.12, 0.92, u);  // row 0 the lip edge, row 1 tucked into the head
    return V3{kCentreX - kForward * std::cos(psi) * grow, kSide * std::sin(psi) * grow,
              mouthZ - 0.007 * u};
  };
  auto outward = [=](const V3& p, double, double) {
    return V3{p.x - kCentreX, p.y, -0.3 * std::fabs(p.x - kCentreX)};
  };
  PartGrid g = LoftPart("mouth", 2, 6, surface, outward, SkinCoord);
  SequentialStrips(g);
  return g;
}

// A fin whose row 0 is the free edge and row 1 the root on the body surface.
struct FinShape {
  double rootX0, rootX1;      // root from front to back
  double theta0, theta1;      // root angle on the body (0 top, pi bottom)
  double sweep0, sweep1;      // edge direction below the horizontal, degrees
  double outward;             // sideways lean of the edge direction
  double length, lengthBulge; // edge distance: length * (1 - bulge + bulge * sin(pi v))
};

PartGrid Fin(const std::string& name, int cols, const FinShape& f) {
  auto root = [=](double v) {
    V3 p = BodyPoint(Lerp(f.rootX0, f.rootX1, v), Lerp(f.theta0, f.theta1, v) * kPi / 180, false);
    V3 axis = BodyAxis(p.x);
    return axis + (p - axis) * 0.93;  // tucked into the body
  };
  auto surface = [=](double u, double v) {
    double beta = Lerp(f.sweep0, f.sweep1, v) * kPi / 180;
    V3 dir = Normalize({std::cos(beta), f.outward, -std::sin(beta)});
    double len = f.length * (1 - f.lengthBulge + f.lengthBulge * std::sin(kPi * v));
    V3 r = root(v);
    return Lerp(r + dir * len, r, u);
  };
  auto outward = [](const V3&, double, double) { return V3{0, 1, 0}; };
  PartGrid g = LoftPart(name, 2, cols, surface, outward, SkinCoord);
  SequentialStrips(g);
  return g;
}

PartGrid TailFin() {
  const double zc = kCentreZ(1.0);
  auto surface = [=](double u, double v) {
    double a = 2 * v - 1;  // -1 the upper lobe tip, +1 the lower
    V3 edge{0.435 + 0.095 * std::pow(std::fabs(a), 1.4), 0, zc - 0.205 * a};
    V3 root{kTailRootX - 0.035 + 0.012 * std::fabs(a), 0, zc - 0.045 * a};
    return Lerp(edge, root, u);
  };
  auto outward = [](const V3&, double, double) { return V3{0, 1, 0}; };
  PartGrid g = LoftPart("tail fin", 2, 35, surface, outward, SkinCoord);
  SequentialStrips(g);
  return g;
}

PartGrid Eye() {
  constexpr double kX = -0.385, kTheta = 58.0 * kPi / 180, kRadius = 0.024, kDome = 0.008;
  const V3 base = BodyPoint(kX, kTheta);
  const SurfaceFn body = [](double u, double v) {
    return BodyPoint(Lerp(kBodyFrontX, kTailRootX, v), kPi * u);
  };
  V3 n = SurfaceNormal(body, kTheta / kPi, (kX - kBodyFrontX) / (kTailRootX - kBodyFrontX));
  if (Dot(n, base - BodyAxis(kX)) < 0) n = -n;
  V3 t1 = Normalize(V3{1, 0, 0} - n * n.x);
  V3 t2 = Cross(n, t1);
  auto surface = [=](double u, double v) {
    double a = 2 * kPi * v;
    double rad = kRadius * u;
    double lift = kDome * (1 - u * u) - 0.003;
    return base + n * lift + (t1 * std::cos(a) + t2 * std::sin(a)) * rad;
  };
  const V3 centre = base - n * (kRadius * 1.5);
  auto outward = [=](const V3& p, double, double) { return p - centre; };
  PartGrid g = LoftPart("eye", 3, 7, surface, outward, SkinCoord);
  // The disc samples the eye swatch instead of the side view: t1 runs towards the tail
  // (+s) and t2 = n x t1 points down the flank (-t).
  for (int r = 0; r < g.rows; ++r) {
    const double u = double(r) / (g.rows - 1);
    for (int c = 0; c < g.cols; ++c) {
      const double a = 2 * kPi * double(c) / (g.cols - 1);
      g.tex[r * g.cols + c] = {kEyeCentreS + kEyeRadiusS * u * std::cos(a),
                               kEyeCentreT - kEyeRadiusT * u * std::sin(a)};
    }
  }
  SequentialStrips(g);
  return g;
}

}  // namespace

std::vector<PartGrid> BuildSpeciesFish() {
  std::vector<PartGrid> parts;
  parts.push_back(Body());
  parts.push_back(HeadCap());
  parts.push_back(Mouth());
  parts.push_back(Fin("pectoral fins", 23, {-0.3, -0.25, 98, 118, 5, 50, 0.8, 0.14, 0.4}));
  parts.push_back(Fin("pelvic fins", 19, {-0.11, -0.05, 158, 165, 65, 35, 0.35, 0.105, 0.4}));
  parts.push_back(Fin("rear fins", 10, {0.04, 0.15, 166, 171, 55, 22, 0.25, 0.08, 0.5}));
  parts.push_back(TailFin());
  parts.push_back(Eye());
  return parts;
}

bool EyeSwatchIsReserved(const std::vector<PartGrid>& parts) {
  for (size_t k = 0; k + 1 < parts.size(); ++k) {
    for (const V2& t : parts[k].tex) {
      if (t.s < kEyeSwatchRight && t.t > kEyeSwatchBottom) {
        std::fprintf(stderr, "fishmodels: %s samples the eye swatch at (%g, %g)\n",
                     parts[k].name.c_str(), t.s, t.t);
        return false;
      }
    }
  }
  return true;
}

}  // namespace fishgen
