#include "fish/Population.h"

#include <string>

#include "assets/TextureLoaders.h"

namespace fish {
namespace {

// Bounds handed to every fish: sideways and depth fixed, vertical from the tank box.
constexpr float kBoundXMin = -50.0f;
constexpr float kBoundXMax = 50.0f;
constexpr float kBelowSurface = 20.0f;  // yTop argument = top - 20 (so yMax = top - 10)
constexpr float kAboveFloor = 6.0f;     // yBottom argument = bottom + 6 (so yMin = bottom + 11)
constexpr float kBoundZMin = -85.0f;
constexpr float kBoundZMax = -55.0f;

template <class Fish>
void PlaceAt(Fish& fish, int xRange, int xShift) {
  fish.x = static_cast<float>(crt::rand() % xRange - xShift);
  fish.y = static_cast<float>(crt::rand() % 30 - 15);
  fish.z = static_cast<float>(crt::rand() % 20 - 80);
}

}  // namespace

SpeciesRanges ComputeSpeciesRanges(const int (&counts)[kSpeciesKinds]) {
  SpeciesRanges r;
  int start = 0;
  for (int j = 0; j < kSpeciesKinds; ++j) {
    r.start[j] = start;
    r.end[j] = start + counts[j];
    start = r.end[j];
  }
  r.total = start;
  r.shown = r.total < 0 ? 0 : (r.total > kPoolSize ? kPoolSize : r.total);
  return r;
}

void PlaceFish(SpeciesFish (&pool)[kPoolSize], LargeFish (&large)[kLargeFishCount],
               SlowFish (&slow)[kSlowFishCount], const tank::TankBox& box,
               const models::TriangleModel& largeBody) {
  const float yTop = box.top - kBelowSurface;
  const float yBottom = box.bottom + kAboveFloor;
  for (SpeciesFish& f : pool) {
    PlaceAt(f, 100, 50);
    f.setBounds(kBoundXMin, kBoundXMax, yTop, yBottom, kBoundZMin, kBoundZMax);
  }
  for (LargeFish& f : large) {
    PlaceAt(f, 40, 20);
    f.setBounds(kBoundXMin, kBoundXMax, yTop, yBottom, kBoundZMin, kBoundZMax, largeBody);
  }
  for (SlowFish& f : slow) {
    PlaceAt(f, 40, 20);
    f.setBounds(kBoundXMin, kBoundXMax, yTop, yBottom, kBoundZMin, kBoundZMax);
  }
}

void LoadFishTextures(GLuint (&slots)[kFishTextureSlots]) {
  for (int i = 0; i < kFishTextureSlots; ++i) {
    slots[i] = assets::LoadPackedTexture(kFishTextureFirstId + i, "fish" + std::to_string(i),
                                         false);
  }
}

}  // namespace fish
