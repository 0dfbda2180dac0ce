#include "SlowFish.h"

#include <algorithm>

#include "Profile.h"

namespace fishgen {

namespace {

constexpr double kNoseX = -0.75;
constexpr double kTrunkFrontX = -0.45;
constexpr double kTrunkRearX = 1.45;
constexpr double kTailTipX = 1.9;
constexpr double kHeadBackX = -0.40;  // head parts reach this far into the trunk
constexpr double kSkinBottomZ = -0.32;
constexpr double kSkinTopZ = 0.38;
// The trunk outline is cut at 14 rings into 13 strips of 11 columns.
constexpr int kTrunkRows = 14, kTrunkCols = 11;
// The model is laid out with the nose at kNoseX and then moved along x so that its origin lies
// half way along the fish: the strip over it turns about it, the others hang from it joint
// by joint, so a bent koi stays centred on its place in the tank.
constexpr double kOriginX = 0.575;
constexpr double kStripLength = (kTrunkRearX - kTrunkFrontX) / (kTrunkRows - 1);

// Wave sample arrays.
constexpr int kBodyWave = 0, kShared1 = 1, kShared2 = 2, kShared3 = 3, kShared4 = 4,
              kShared5 = 5, kZeroArray = 6;
constexpr int kAxisX = 0, kAxisY = 1, kAxisZ = 2;
constexpr int kByColumn = 0, kByRow = 1;

const Profile kHalfHeight{{-0.75, 0.0}, {-0.6, 0.105}, {-0.45, 0.17}, {-0.1, 0.21},
                          {0.3, 0.22},  {0.7, 0.19},   {1.1, 0.12},   {1.45, 0.062}};
const Profile kHalfWidth{{-0.75, 0.0}, {-0.6, 0.085}, {-0.45, 0.13}, {-0.1, 0.158},
                         {0.3, 0.16},  {0.7, 0.13},   {1.1, 0.08},   {1.45, 0.038}};
const Profile kCentreZ{{-0.75, -0.03}, {-0.3, 0.0}, {1.45, 0.02}};
// Dorsal fin height above the back, from its leading ray to its end.
const Profile kDorsalHeight{{0.27, 0.0}, {0.31, 0.16}, {0.4, 0.15}, {0.6, 0.1},
                            {1.0, 0.08}, {1.14, 0.03}, {1.2, 0.0}};

V2 SkinCoord(const V3& p) {
  return {Clamp((p.x - kNoseX) / (kTailTipX - kNoseX), 0.0, 1.0),
          Clamp((p.z - kSkinBottomZ) / (kSkinTopZ - kSkinBottomZ), 0.0, 1.0)};
}

// Trunk surface at x and angle phi from the top, +y for phi in (0, pi).
V3 TrunkPoint(double x, double phi, double scale = 1.0) {
  double c = std::cos(phi), s = std::sin(phi);
  double belly = c < 0 ? 0.94 : 1.0;
  return {x, kHalfWidth(x) * s * scale, kCentreZ(x) + kHalfHeight(x) * c * belly * scale};
}
V3 Axis(double x) { return {x, 0, kCentreZ(x)}; }

OutwardFn Toward(V3 d) {
  return [d](const V3&, double, double) { return d; };
}

// The trunk's 13 strips each have rows of their own, so that neighbouring strips overlap: a
// strip's front ring lies inside the strip before it, a little narrower (more so across
// than up and down, since a bend shifts the rings sideways), so that when two neighbours
// are turned by different bend entries the front ring stays hidden in its neighbour and no
// gap or open end shows. Each strip's rear rim is the body's outline. Rows: 0 the first
// strip's front ring (tucked into the head), 1..13 the rims of strips 0..12 (13 is the
// tail end), 14..25 the front rings of strips 1..12.
constexpr int kTrunkStrips = 13;
constexpr int kTrunkGridRows = 2 * kTrunkStrips;
constexpr int kTailEndRow = kTrunkStrips;
constexpr double kOverlap = 0.25;         // how far a strip reaches into the one before, in strips
// Front ring width and height against the outline there, at the head and at the tail end:
// towards the tail the body narrows fast, so the rings tuck in further to stay inside the
// strip before when it turns about their joint.
constexpr double kTuckWidth = 0.94, kTailTuckWidth = 0.78;
constexpr double kTuckHeight = 0.95, kTailTuckHeight = 0.86;
constexpr double kHeadTuckX = -0.455;    // the first strip starts inside the head
constexpr double kHeadTuckWidth = 0.94;
constexpr double kHeadTuckHeight = 0.94;

void SetTrunkRing(PartGrid& g, int row, double x, double widthScale, double heightScale) {
  const SurfaceFn outline = [](double u, double v) {
    return TrunkPoint(Lerp(kTrunkFrontX, kTrunkRearX, u), 2 * kPi * v);
  };
  const double u = (x - kTrunkFrontX) / (kTrunkRearX - kTrunkFrontX);
  for (int c = 0; c < kTrunkCols; ++c) {
    const double v = double(c) / (kTrunkCols - 1);
    const V3 p = TrunkPoint(x, 2 * kPi * v);
    const V3 axis = Axis(x);
    V3 q{x, p.y * widthScale, axis.z + (p.z - axis.z) * heightScale};
    V3 n = SurfaceNormal(outline, Clamp(u, 0.0, 1.0), v);
    if (Dot(n, p - axis) < 0) n = -n;
    g.pos[row * kTrunkCols + c] = q;
    g.nrm[row * kTrunkCols + c] = n;
    g.tex[row * kTrunkCols + c] = SkinCoord(p);  // the outline's pattern, hidden or not
  }
}

SlowPart Trunk() {
  PartGrid g;
  g.name = "trunk";
  g.rows = kTrunkGridRows;
  g.cols = kTrunkCols;
  g.pos.resize(g.rows * g.cols);
  g.nrm.resize(g.rows * g.cols);
  g.tex.resize(g.rows * g.cols);
  SetTrunkRing(g, 0, kHeadTuckX, kHeadTuckWidth, kHeadTuckHeight);
  for (int k = 0; k < kTrunkStrips; ++k)
    SetTrunkRing(g, 1 + k, kTrunkFrontX + (k + 1) * kStripLength, 1.0, 1.0);
  for (int k = 1; k < kTrunkStrips; ++k)
  {
    const double u = double(k - 1) / (kTrunkStrips - 2);
    SetTrunkRing(g, kTrunkStrips + k, kTrunkFrontX + (k - kOverlap) * kStripLength,
                 Lerp(kTuckWidth, kTailTuckWidth, u * u), Lerp(kTuckHeight, kTailTuckHeight, u * u));
  }
  for (int k = 0; k < kTrunkStrips; ++k)
    g.strips.push_back({k == 0 ? 0 : kTrunkStrips + k, 1 + k});
  g.mirrored = 0;
  // Only the tail end sways with the body wave: the rings where strips meet stay put, so
  // the wave never pulls a front ring out of its neighbour.
  return {g, -1, {{kBodyWave, kAxisY, kTailEndRow, kTailEndRow, kByRow}}};
}

// The head: a blunt rounded snout whose cross-section turns from the trunk's ellipse into a
// flattened diamond towards the nose. a = 0 at the back (inside the trunk), 1 at the nose.
V3 HeadPoint(double a, double phi) {
  constexpr double kMaxTurn = kPi / 2 * 0.985;
  double turn = a * kMaxTurn;
  double x = kHeadBackX + (kNoseX - kHeadBackX) * std::sin(turn) / std::sin(kMaxTurn);
  double k = std::pow(std::cos(turn), 0.8) * 0.985;
  double e = Lerp(2.0, 1.0, SmoothStep(0.0, 0.6, a));  // 2 ellipse .. 1 diamond
  double c = std::cos(phi), s = std::sin(phi);
  auto shape = [e](double w) {
    return (w < 0 ? -1.0 : 1.0) * std::pow(std::fabs(w), 2.0 / e);
  };
  double w = kHalfWidth(kTrunkFrontX) * k, h = kHalfHeight(kTrunkFrontX) * k;
  double zc = Lerp(kCentreZ(kTrunkFrontX), kCentreZ(kNoseX), a);
  return {x, w * shape(s), zc + h * shape(c) * (c < 0 ? 0.94 : 1.0)};
}

SlowPart HeadPatch(const std::string& name, int strips, double a0, double a1, double phi0,
                   double phi1, bool breathing) {
  auto surface = [=](double u, double v) {
    return HeadPoint(Lerp(a0, a1, u), Lerp(phi0, phi1, v));
  };
  auto outward = [](const V3& p, double, double) {
    return p - V3{kHeadBackX + 0.1, 0, kCentreZ(kTrunkFrontX)};
  };
  SlowPart p{LoftPart(name, strips + 1, 5, surface, outward, SkinCoord), 0,
             {{kBodyWave, kAxisZ, 0, strips, kByRow}}};
  // The crown and the throat swell together with the shared breathing generator; their
  // first and last rows stay so that they keep meeting the trunk and the snout.
  if (breathing) p.drives.push_back({kShared4, kAxisZ, 1, strips - 1, kByRow});
  SequentialStrips(p.grid);
  p.grid.mirrored = 0;
  return p;
}

// A gill cover: a plate over the side of the head, hinged at its front edge, its rear rim
// standing out a little. side +1 for the +y side, -1 for -y.
SlowPart GillCover(const std::string& name, double side) {
  auto surface = [=](double u, double v) {
    double a = Lerp(0.36, 0.02, u);  // front hinge .. rear rim
    double phi = side * Lerp(55.0, 128.0, v) * kPi / 180;
    V3 p = HeadPoint(a, phi);
    V3 axis = V3{p.x, 0, kCentreZ(kTrunkFrontX)};
    return axis + (p - axis) * (1.0 + 0.09 * u * u);
  };
  auto outward = [](const V3& p, double, double) {
    return p - V3{kHeadBackX + 0.1, 0, kCentreZ(kTrunkFrontX)};
  };
  SlowPart p{LoftPart(name, 5, 5, surface, outward, SkinCoord), 0,
             {{kBodyWave, kAxisZ, 0, 4, kByRow}, {kShared4, kAxisX, 3, 4, kByRow}}};
  SequentialStrips(p.grid);
  p.grid.mirrored = 0;
  return p;
}

// Upper or lower lip: a band around the front of the mouth. Row 0 is tucked into the head,
// row 1 the lip's edge.
SlowPart Lip(const std::string& name, int cols, double dz, double size) {
  const double mouthX = kNoseX + 0.045;
  const double mouthZ = kCentreZ(kNoseX) - 0.035 + dz;
  auto surface = [=](double u, double v) {
    double psi = Lerp(-80.0, 80.0, v) * kPi / 180;
    double grow = Lerp(0.85, 1.12, u);
    return V3{mouthX - 0.045 * size * std::cos(psi) * grow, 0.06 * size * std::sin(psi) * grow,
              mouthZ - 0.006 * u * (dz < 0 ? 1 : -1)};
  };
  auto outward = [=](const V3& p, double, double) {
    return V3{p.x - mouthX, p.y, 0.2 * (dz < 0 ? -1 : 1) * std::fabs(p.x - mouthX)};
  };
  SlowPart p{LoftPart(name, 2, cols, surface, outward, SkinCoord), 0,
             {{kBodyWave, kAxisZ, 0, 1, kByRow}, {kShared3, kAxisZ, 1, 1, kByRow}}};
  SequentialStrips(p.grid);
  p.grid.mirrored = 0;
  return p;
}

// A barbel: a thin tapering tube hanging from the snout; `rows` rings from root to tip.
void AddBarbel(PartGrid& g, int firstRow, int rows, V3 root, V3 dir, double length,
               double radius) {
  dir = Normalize(dir);
  V3 side = Normalize(Cross(dir, V3{0, 1, 0}));
  if (Length(Cross(dir, V3{0, 1, 0})) < 1e-6) side = V3{1, 0, 0};
  V3 other = Cross(dir, side);
  auto surface = [=](double u, double v) {
    double a = 2 * kPi * v;
    V3 bend = V3{0, 0, -0.25 * length * u * u};
    return root + dir * (length * u) + bend +
           (side * std::cos(a) + other * std::sin(a)) * (radius * (1.0 - 0.85 * u));
  };
  auto outward = [=](const V3& p, double u, double) {
    return p - (root + dir * (length * u) + V3{0, 0, -0.25 * length * u * u});
  };
  PartGrid t = LoftPart("barbel", rows, g.cols, surface, outward, SkinCoord);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < g.cols; ++c) {
      int i = (firstRow + r) * g.cols + c;
      g.pos[i] = t.pos[r * g.cols + c];
      g.nrm[i] = t.nrm[r * g.cols + c];
      g.tex[i] = t.tex[r * g.cols + c];
    }
  for (int r = 0; r + 1 < rows; ++r) g.strips.push_back({firstRow + r, firstRow + r + 1});
}

PartGrid EmptyGrid(const std::string& name, int rows, int cols) {
  PartGrid g;
  g.name = name;
  g.rows = rows;
  g.cols = cols;
  g.pos.resize(rows * cols);
  g.nrm.resize(rows * cols);
  g.tex.resize(rows * cols);
  return g;
}

SlowPart EyeAndBarbel() {
  PartGrid g = EmptyGrid("eye and front barbel", 6, 7);
  // The eye: a raised disc on the side of the head, rows centre, middle, rim.
  const double a = 0.45, phi = 62.0 * kPi / 180;
  const SurfaceFn head = [](double u, double v) { return HeadPoint(u, v * kPi); };
  const V3 base = HeadPoint(a, phi);
  V3 n = SurfaceNormal(head, a, phi / kPi);
  if (Dot(n, base - V3{base.x + 0.1, 0, base.z - 0.05}) < 0) n = -n;
  V3 t1 = Normalize(V3{1, 0, 0} - n * n.x), t2 = Cross(n, t1);
  constexpr double kRadius = 0.03, kDome = 0.012;
  auto eye = [=](double u, double v) {
    double ang = 2 * kPi * v;
    return base + n * (kDome * (1 - u * u) - 0.004) +
           (t1 * std::cos(ang) + t2 * std::sin(ang)) * (kRadius * u);
  };
  const V3 centre = base - n * (kRadius * 1.5);
  PartGrid e = LoftPart("eye", 3, 7, eye, [=](const V3& p, double, double) { return p - centre; },
                        SkinCoord);
  for (int i = 0; i < 21; ++i) {
    g.pos[i] = e.pos[i];
    g.nrm[i] = e.nrm[i];
    g.tex[i] = e.tex[i];
  }
  g.strips = {{0, 1}, {1, 2}};
  AddBarbel(g, 3, 3, HeadPoint(0.93, 0.8 * kPi) + V3{0.01, 0, 0}, V3{-0.25, 0.35, -1}, 0.11,
            0.008);
  g.mirrored = static_cast<int>(g.strips.size());
  return {g, 0, {{kBodyWave, kAxisZ, 0, 5, kByRow}}};
}

SlowPart RearBarbel() {
  PartGrid g = EmptyGrid("rear barbel", 3, 7);
  AddBarbel(g, 0, 3, HeadPoint(0.86, 0.7 * kPi), V3{0.3, 0.6, -1}, 0.07, 0.006);
  g.mirrored = static_cast<int>(g.strips.size());
  return {g, 0, {{kBodyWave, kAxisZ, 0, 2, kByRow}}};
}

// A paired fin face: rows from the root (row 0, on the body) to the free edge, columns from
// the leading to the trailing ray. `lift` moves the face off the fin's mid plane towards
// `faceSide` so that the upper and lower faces do not coincide.
SlowPart PairedFin(const std::string& name, int strips, int yaw, int generator, double x0,
                   double x1, double phi0, double phi1, V3 dir, double len0, double len1,
                   V3 faceSide, int axis) {
  auto surface = [=](double u, double v) {
    V3 root = TrunkPoint(Lerp(x0, x1, v), Lerp(phi0, phi1, v) * kPi / 180, 0.96);
    double len = Lerp(len0, len1, v) * (1.0 - 0.15 * (2 * v - 1) * (2 * v - 1));
    V3 d = Normalize(dir + V3{0.25 * v, 0, 0});
    return root + d * (len * u) + faceSide * (0.003 * (1 - u));
  };
  SlowPart p{LoftPart(name, strips + 1, 5, surface, Toward(faceSide), SkinCoord), yaw,
             {{generator, axis, 1, strips, kByRow}}};
  SequentialStrips(p.grid);
  return p;
}

// One segment of the dorsal fin over trunk strip `yaw` (or the anal fin below it): rows from
// the root inside the back to the fin's edge, columns along x. The +y face; the mirrored pass
// draws the -y face. Segments overlap a little so that they read as one fin.
SlowPart MedianFin(const std::string& name, int strips, int yaw, int generator, bool below,
                   const Profile& height, double x0, double x1, double rootThickness = 0.012) {
  auto surface = [=, &height](double u, double v) {
    double x = Lerp(x0, x1, v);
    double h = height(x);
    V3 base = TrunkPoint(x, below ? kPi : 0.0, 0.9);
    double sweep = 0.35 * h * u;  // rays lean back
    double thick = rootThickness * (1 - u) + 0.001;
    return V3{x + sweep, thick, base.z + (below ? -1 : 1) * (h + 0.03) * u};
  };
  SlowPart p{LoftPart(name, strips + 1, 5, surface, Toward({0, 1, 0}), SkinCoord), yaw,
             {{generator, kAxisX, 1, strips, kByRow}}};
  SequentialStrips(p.grid);
  return p;
}

double StripStartX(int k) { return kTrunkFrontX + k * kStripLength; }

// The tail fin's two faces (+y and -y): rows root, middle, edge; columns from the upper lobe
// tip to the lower lobe tip.
SlowPart TailFace(const std::string& name, double side, bool withZeroArray) {
  const double zc = kCentreZ(kTrunkRearX);
  auto surface = [=](double u, double v) {
    double a = 2 * v - 1;
    V3 edge{1.76 + 0.14 * std::pow(std::fabs(a), 1.3), 0, zc - (a < 0 ? 0.29 : 0.25) * a};
    V3 root{kTrunkRearX - 0.07, 0, zc - 0.05 * a};
    V3 p = Lerp(root, edge, u);
    p.y = side * (0.009 * (1 - u) + 0.0015);
    return p;
  };
  SlowPart p{LoftPart(name, 3, 8, surface, Toward({0, side, 0}), SkinCoord), 13,
             {{kShared1, kAxisY, 1, 2, kByColumn}}};
  if (withZeroArray) p.drives.push_back({kZeroArray, kAxisY, 0, 2, kByColumn});
  SequentialStrips(p.grid);
  p.grid.mirrored = 0;
  return p;
}

const Profile kAnalHeight{{1.12, 0.0}, {1.17, 0.11}, {1.26, 0.08}, {1.33, 0.0}};

}  // namespace

SlowJoints BuildSlowJoints() {
  SlowJoints j;
  for (int k = 0; k <= kTrunkStrips; ++k) j.x.push_back(StripStartX(k) - kOriginX);
  for (int k = 0; k < kTrunkStrips; ++k)
    if (j.x[k] <= 0 && j.x[k + 1] > 0) j.anchor = k;
  return j;
}

std::vector<SlowPart> BuildSlowFish() {
  std::vector<SlowPart> parts;
  parts.push_back(Trunk());
  // Head: snout (full ring), crown, throat, gill covers.
  parts.push_back(HeadPatch("snout", 4, 0.55, 1.0, 0.0, 2 * kPi, false));
  parts.push_back(HeadPatch("crown", 6, 0.0, 0.6, -kPi / 2, kPi / 2, true));
  parts.push_back(HeadPatch("throat", 6, 0.0, 0.6, kPi / 2, 3 * kPi / 2, true));
  parts.push_back(GillCover("gill cover right", 1.0));
  parts.push_back(GillCover("gill cover left", -1.0));
  parts.push_back(Lip("upper lip", 11, 0.0, 1.0));
  parts.push_back(Lip("lower lip", 12, -0.02, 0.85));
  parts.push_back(EyeAndBarbel());
  // Paired fins and the front of the dorsal fin, moved by the second shared generator.
  const V3 up{0, 0, 1}, down{0, 0, -1};
  const V3 pectoralDir{0.75, 0.85, -0.5}, pelvicDir{0.9, 0.3, -0.75};
  parts.push_back(PairedFin("pectoral fin upper face", 6, 3, kShared2, -0.03, 0.1, 118, 128,
                            pectoralDir, 0.27, 0.17, up, kAxisZ));
  parts.push_back(PairedFin("pectoral fin lower face", 6, 3, kShared2, -0.03, 0.1, 118, 128,
                            pectoralDir, 0.27, 0.17, down, kAxisZ));
  parts.push_back(PairedFin("pelvic fin upper face", 5, 4, kShared2, 0.15, 0.27, 150, 158,
                            pelvicDir, 0.2, 0.13, up, kAxisZ));
  parts.push_back(PairedFin("pelvic fin lower face", 5, 4, kShared2, 0.15, 0.27, 150, 158,
                            pelvicDir, 0.2, 0.13, down, kAxisZ));
  auto dorsal = [&](const std::string& name, int strips, int yaw, int gen) {
    double x0 = std::max(StripStartX(yaw) - 0.02, 0.27), x1 = StripStartX(yaw + 1) + 0.02;
    return MedianFin(name, strips, yaw, gen, false, kDorsalHeight, x0, x1);
  };
  parts.push_back(MedianFin("dorsal fin leading ray", 5, 5, kShared2, false, kDorsalHeight, 0.27,
                            0.315, 0.022));
  parts.push_back(dorsal("dorsal fin 1", 6, 5, kShared2));
  parts.push_back(dorsal("dorsal fin 2", 6, 6, kShared2));
  // The rest of the dorsal fin and the anal fin, moved by the fifth shared generator.
  parts.push_back(dorsal("dorsal fin 3", 8, 7, kShared5));
  parts.push_back(dorsal("dorsal fin 4", 7, 8, kShared5));
  parts.push_back(dorsal("dorsal fin 5", 6, 9, kShared5));
  parts.push_back(dorsal("dorsal fin 6", 7, 10, kShared5));
  parts.push_back(MedianFin("anal fin", 7, 11, kShared5, true, kAnalHeight, 1.12, 1.33));
  parts.push_back(TailFace("tail fin right face", 1.0, true));
  parts.push_back(TailFace("tail fin left face", -1.0, false));
  parts.push_back(RearBarbel());
  for (SlowPart& part : parts)
    for (V3& p : part.grid.pos) p.x -= kOriginX;
  return parts;
}

}  // namespace fishgen
