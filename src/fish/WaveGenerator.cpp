#include "fish/WaveGenerator.h"

#include <cmath>

namespace fish {

void WaveGenerator::Advance(int threshold) {
  const int old = tick;
  tick = old + 1;
  if (old > threshold) {
    tick = 0;
    phase += phaseStep;
  }
  if (phase > kFullTurn) phase = 0.0f;
}

void WaveGenerator::Sample(float* out, int n, int threshold) {
  Advance(threshold);
  for (int c = 0; c < n; ++c) {
    out[c] = amplitude * std::sin(static_cast<float>(c) * waveNumber + phase);
  }
}

void SampleBodyWave(WaveGenerator& g, float* out, int n) {
  g.Advance(kBodyWaveThreshold);
  for (int c = 0; c < n; ++c) {
    if (c < kBodyWaveStillSamples) {
      out[c] = 0.0f;
      continue;
    }
    g.amplitude = static_cast<float>(c - kBodyWaveStillSamples) * kBodyWaveAmplitudeStep;
    out[c] = g.amplitude * std::sin(static_cast<float>(c) * g.waveNumber + g.phase);
  }
}

void SampleFlapWave(WaveGenerator& g, float* out, int n, float size) {
  g.Advance(kBigFishWaveThreshold);
  const float value = std::sin(g.waveNumber + g.phase) * size * g.amplitude;
  for (int c = 0; c < n; ++c) out[c] = c < 2 ? 0.0f : value;
}

void SampleRippleWave(WaveGenerator& g, float* out, int n, float size) {
  g.Advance(kBigFishWaveThreshold);
  for (int c = 0; c < n; ++c) {
    out[c] = c < 4 ? 0.0f
                   : std::sin(static_cast<float>(c) * g.waveNumber + g.phase) * size * g.amplitude;
  }
}

void SampleScaledWave(WaveGenerator& g, float* out, int n, float size) {
  g.Advance(kBigFishWaveThreshold);
  for (int c = 0; c < n; ++c) {
    out[c] = std::sin(static_cast<float>(c) * g.waveNumber + g.phase) * size * g.amplitude;
  }
}

SharedWaves::SharedWaves() { Reset(); }

void SharedWaves::Reset() {
  for (int k = 0; k < kSharedWaveCount; ++k) {
    generators[k] = WaveGenerator{0.0f, 0, kSharedWaveNumbers[k], kSharedWaveAmplitudes[k],
                                  kSharedWavePhaseStep};
  }
}

void SharedWaves::Sample(int k, float* out, float size) {
  WaveGenerator& g = generators[k];
  g.Advance(kSharedWaveThreshold);
  for (int c = 0; c < kSharedWaveSamples[k]; ++c) {
    const float fc = static_cast<float>(c);
    out[c] = fc * std::sin(fc * g.waveNumber + g.phase) * size * g.amplitude;
  }
}

SharedWaves& SlowFishSharedWaves() {
  static SharedWaves waves;
  return waves;
}

}  // namespace fish
