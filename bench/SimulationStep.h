#pragma once
#include "fish/Behaviour.h"
#include "fish/LargeFish.h"
#include "fish/SlowFish.h"
#include "fish/SpeciesFish.h"
#include "fish/WaveGenerator.h"
#include "view/Scene.h"

// The simulation part of one frame without any GL: for every fish the same motion and wave
// calls its draw makes (turn and bend, wave samples, pitch, wander, move), then the pool
// fish's feeding, food pull and avoidance steps. Food is left out (the benchmark's own empty
// pellet set), so the numbers are the fish's share of a frame's CPU time.
namespace bench {

inline void SimulationStep(view::Scene& scene) {
  static fish::Pellets noFood;
  float bend[32];
  float samples[64];
  fish::SpeciesFish (&pool)[fish::kPoolSize] = scene.pool();
  for (int i = 0; i < fish::kPoolSize; ++i) {
    fish::SpeciesFish& f = pool[i];
    f.turnAndBend(bend, fish::PoolFishKind::kBendCount);
    fish::SampleBodyWave(f.bodyWave, samples, fish::kBodyWaveSamples);
    f.pectoralWave.Sample(samples, fish::kPectoralWaveSamples, fish::kFinWaveThreshold);
    f.pelvicWave.Sample(samples, fish::kPelvicWaveSamples, fish::kFinWaveThreshold);
    f.rearFinWave.Sample(samples, fish::kRearFinWaveSamples, fish::kFinWaveThreshold);
    f.tailWave.Sample(samples, fish::kTailWaveSamples, fish::kFinWaveThreshold);
    f.followPitch();
    f.wander();
    f.move();
    f.updateAvoidanceBox();
    for (int pass = 0; pass < 2; ++pass) {
      fish::feedingSteer(f, noFood, kCmdFeed);
      fish::foodPull(f, noFood);
    }
    fish::avoid(pool, i);
  }
  for (int k = 0; k < fish::kLargeFishCount; ++k) {
    fish::LargeFish& f = scene.largeFish(k);
    f.turnAndBend(bend, fish::LargeFishKind::kBendCount);
    fish::SampleFlapWave(f.finWave, samples, fish::kLargeFinWaveSamples, f.size);
    fish::SampleRippleWave(f.rippleWave, samples, fish::kLargeFinWaveSamples, f.size);
    f.followPitch();
    f.wander();
    f.move();
  }
  for (int k = 0; k < fish::kSlowFishCount; ++k) {
    fish::SlowFish& f = scene.slowFish(k);
    f.turnAndBend(bend, fish::SlowFishKind::kBendCount);
    fish::SampleScaledWave(f.bodyWave, samples, fish::kSlowBodyWaveSamples, f.size);
    for (int g = 0; g < fish::kSharedWaveCount; ++g)
      fish::SlowFishSharedWaves().Sample(g, samples, f.size);
    f.followPitch();
    f.wander();
    f.move();
  }
}

}  // namespace bench
