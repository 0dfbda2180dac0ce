#pragma once
#include <GL/gl.h>

#include "fish/LargeFish.h"
#include "fish/SlowFish.h"
#include "fish/SpeciesFish.h"
#include "tank/TankBox.h"
#include "resource_ids.h"

// The fish population: the pool of 100 split into ten species by the counts, the large and
// slow fish, their start places and the twelve fish skins.
namespace fish {

inline constexpr int kPoolSize = 100;
inline constexpr int kSpeciesKinds = 10;
inline constexpr int kLargeFishCount = 2;
inline constexpr int kSlowFishCount = 2;
inline constexpr int kFishTextureSlots = 12;
inline constexpr int kLargeFishSlot = 10;
inline constexpr int kSlowFishSlot = 11;
inline constexpr int kFishTextureFirstId = res::id::kFish0;  // packed skins, one id each
static_assert(res::id::kFish11 == kFishTextureFirstId + 11, "the skins' ids follow each other");

// Pool index i belongs to species j when start[j] <= i < end[j]. `shown` is how many pool
// fish take part: the total, cut to 0..100.
struct SpeciesRanges {
  int start[kSpeciesKinds] = {};
  int end[kSpeciesKinds] = {};
  int total = 0;
  int shown = 0;
  bool Contains(int species, int index) const {
    return start[species] <= index && index < end[species];
  }
};

SpeciesRanges ComputeSpeciesRanges(const int (&counts)[kSpeciesKinds]);

// Start places (x, y, z drawn in that order per fish: pool, then large, then slow fish)
// and bounds from the tank's top and bottom. Compiles the large fish bodies, so a GL
// context must be current.
void PlaceFish(SpeciesFish (&pool)[kPoolSize], LargeFish (&large)[kLargeFishCount],
               SlowFish (&slow)[kSlowFishCount], const tank::TankBox& box);
// The same with the large fish's body model given.
void PlaceFish(SpeciesFish (&pool)[kPoolSize], LargeFish (&large)[kLargeFishCount],
               SlowFish (&slow)[kSlowFishCount], const tank::TankBox& box,
               const models::TriangleModel& largeBody);

// Unpacks and loads the twelve fish skins into the slots.
void LoadFishTextures(GLuint (&slots)[kFishTextureSlots]);

}  // namespace fish
