#pragma once
#include "fish/FishMotion.h"
#include "fish/WaveGenerator.h"

namespace fish {

struct SlowFishKind {
  using Size = float;
  static constexpr int kBendCount = 14;
  static constexpr float kSpeedMin = 0.05f;
  static constexpr float kSpeedMax = 0.2f;
  static constexpr int kWanderAfter = 1000;
  static constexpr int kWanderResetRange = 500;
  static constexpr int kSmallTurnRange = 180;
  static constexpr bool kLargeBounds = true;
  static constexpr float kSlowDownSpeed = 0.05f;
  static constexpr bool kJumpsAcross = false;
};

inline constexpr float kSlowFishSize = 8.0f;
inline constexpr float kSlowFishStartSpeed = 0.05f;
inline constexpr int kSlowBodyWaveSamples = 14;
// The slow fish's own body wave (the five shared generators are in WaveGenerator.h).
inline constexpr float kSlowBodyWaveNumber = 0.26179937f;
inline constexpr float kSlowBodyWaveAmplitude = 0.03f;
inline constexpr float kSlowBodyPhaseStep = 0.39269906f;

// One of the two slow fish: a long body of 24 parts that curves along its bend array.
class SlowFish : public FishMotion<SlowFish, SlowFishKind> {
 public:
  SlowFish();  // draws targetPitch, targetHeading, wander timer in this order

  WaveGenerator bodyWave{0.0f, 0, kSlowBodyWaveNumber, kSlowBodyWaveAmplitude,
                         kSlowBodyPhaseStep};

  // Bounds as for every fish, and the wall code cleared.
  void setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg, float zMinArg,
                 float zMaxArg);
};

}  // namespace fish
