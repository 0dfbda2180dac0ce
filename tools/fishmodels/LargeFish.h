#pragma once
#include <vector>

#include "Models.h"

namespace fishgen {

// The large fish: a grouper, head at +x, z up, y across (its draw turns it 180 degrees
// about z so that it faces the way it swims).
constexpr double kLargeNoseX = 2.25;
constexpr double kLargeTailTipX = -2.0;

// The skin's fin-ray swatch (s, t), worn by the pectoral and pelvic fins; the skin generator
// paints rays there (tools/artgen FishSkins.h keeps the same rectangle).
constexpr double kLargeFinSwatchLeft = 0.01, kLargeFinSwatchRight = 0.17;
constexpr double kLargeFinSwatchBottom = 0.80, kLargeFinSwatchTop = 0.98;

// Exact counts of the body model.
constexpr int kLargeTriangles = 5055;
constexpr int kLargeVertices = 2941;
constexpr int kLargeNormals = 3342;
constexpr int kLargeTexcoords = 2184;

// Torso surface at x and angle phi from the top (+y for phi in (0, pi)).
V3 LargeTorsoPoint(double x, double phi);
V3 LargeAxis(double x);
// Skin coordinate of a body-space point (side view, nose left).
V2 LargeSkinCoord(const V3& p);

TriMesh BuildLargeFishBody();
std::vector<PartGrid> BuildLargeFishFins();
LargeFishModel BuildLargeFish();
// True when no body texture coordinate falls in the fin-ray swatch (with a message if not).
bool LargeFinSwatchIsReserved(const LargeFishModel& model);

}  // namespace fishgen
