#pragma once
#include "fish/FishMotion.h"
#include "fish/WaveGenerator.h"

namespace fish {

struct PoolFishKind {
  using Size = int;
  static constexpr int kBendCount = 23;
  static constexpr float kSpeedMin = 0.1f;
  static constexpr float kSpeedMax = 0.3f;
  static constexpr int kWanderAfter = 400;       // steps before a wander change
  static constexpr int kWanderResetRange = 200;  // next timer start: rand() % this
  static constexpr int kSmallTurnRange = 15;     // small turns: rand() % this degrees
  static constexpr bool kLargeBounds = false;
  static constexpr float kSlowDownSpeed = 0.1f;
  static constexpr bool kJumpsAcross = false;
};

inline constexpr int kPoolSizeMin = 2;   // zoom keeps the size within 2..8
inline constexpr int kPoolSizeMax = 8;
inline constexpr int kPoolSizeUsual = 5;
inline constexpr int kPoolSizeBig = 8;   // one fish in ten starts big
inline constexpr float kZoomStep = 2.0f;
inline constexpr float kTouchSpeedStep = 0.4f;
inline constexpr float kTouchSpeed = 0.3f;

// Wave samples per generator.
inline constexpr int kBodyWaveSamples = 23;
inline constexpr int kPectoralWaveSamples = 23;
inline constexpr int kPelvicWaveSamples = 19;
inline constexpr int kRearFinWaveSamples = 10;
inline constexpr int kTailWaveSamples = 35;

// Wave constants of a fresh pool fish and of the retuning on each wander.
inline constexpr float kBodyWaveNumber = 0.26179937f;
inline constexpr float kBodyWaveAmplitude = 0.1f;
inline constexpr float kFinWaveNumber = 0.31415924f;
inline constexpr float kFinWaveAmplitude = 0.02f;
inline constexpr float kFinPhaseStep = 0.52359873f;
inline constexpr float kQuickPhaseStep = 0.7853981f;  // body and tail
inline constexpr float kPectoralRetunedWaveNumber = 0.6283185f;
inline constexpr float kPectoralRetunedAmplitude = 0.015f;
inline constexpr float kPectoralRetunedPhaseStep = 0.39269906f;
inline constexpr float kBriskSpeed = 0.2f;    // from this target speed on the waves quicken
inline constexpr float kBriskFactor = 1.5f;

// One fish of the pool of 100. Its species (texture and tail shape) comes from the pool
// index and the counts, and is stored by the latest draw.
class SpeciesFish : public FishMotion<SpeciesFish, PoolFishKind> {
 public:
  SpeciesFish();  // draws size, targetPitch, targetHeading, wander timer in this order

  WaveGenerator bodyWave{0.0f, 0, kBodyWaveNumber, kBodyWaveAmplitude, kQuickPhaseStep};
  WaveGenerator pectoralWave{0.0f, 0, kFinWaveNumber, kFinWaveAmplitude, kFinPhaseStep};
  WaveGenerator pelvicWave{0.0f, 0, kFinWaveNumber, kFinWaveAmplitude, kFinPhaseStep};
  WaveGenerator rearFinWave{0.0f, 0, kFinWaveNumber, kFinWaveAmplitude, kFinPhaseStep};
  WaveGenerator tailWave{0.0f, 0, kFinWaveNumber, kFinWaveAmplitude, kQuickPhaseStep};
  int species = 0;

  // size = integer part of size +- amount, kept within 2..8.
  void resize(float amount, bool grow);
  // A touch: a flight turn when in the startle band, then top speed.
  void touch();
  void zoomIn() { resize(kZoomStep, true); }
  void zoomOut() { resize(kZoomStep, false); }

  // Called by the wander step with the new target speed: quicker waves for brisk speeds.
  void onWanderSpeed(float targetSpeed);
};

}  // namespace fish
