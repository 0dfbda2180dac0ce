#pragma once
#include <cstdint>

namespace art {

// Deterministic hash noise: the same picture on every run and every machine.
float hash01(int x, int y, uint32_t seed);
// Smooth value noise in 0..1 with unit cell size.
float valueNoise(float x, float y, uint32_t seed);
// A few octaves of value noise, 0..1.
float fbm(float x, float y, uint32_t seed, int octaves = 4);

// A small fixed-sequence generator for placing things (rocks, plants, spots).
class Sequence {
 public:
  explicit Sequence(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  float next();  // 0..1
  float range(float lo, float hi) { return lo + (hi - lo) * next(); }

 private:
  uint32_t state_;
};

}  // namespace art
