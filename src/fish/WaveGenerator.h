#pragma once

// Per-step sine samplers that animate the fish parts. Each call advances the generator's
// clock once, steps the phase every (threshold + 2)th call and fills the caller's array.
namespace fish {

inline constexpr float kFullTurn = 6.283185f;  // a phase above this restarts at 0

// How many calls a generator waits before its phase moves on (it moves when the previous
// tick count is above the threshold).
inline constexpr int kBodyWaveThreshold = 3;     // the pool fish's body: every fifth call
inline constexpr int kFinWaveThreshold = 5;      // the pool fish's fins and tail: every seventh
inline constexpr int kBigFishWaveThreshold = 1;  // large and slow fish: every third call
inline constexpr int kSharedWaveThreshold = 10;  // the slow fish's shared generators: every 11th

struct WaveGenerator {
  float phase = 0.0f;       // radians
  int tick = 0;
  float waveNumber = 0.0f;  // radians per sample
  float amplitude = 0.0f;
  float phaseStep = 0.0f;   // radians

  // Advances the clock once; steps (and wraps) the phase when the threshold is passed.
  void Advance(int threshold);
  // Standard form: advance, then sample[c] = amplitude * sin(c * waveNumber + phase).
  void Sample(float* out, int n, int threshold);
};

// The pool fish's body wave: samples 0..18 are 0; for c >= 19 the amplitude field becomes
// (c - 19) * 0.005 and the sample that amplitude * sin(c * waveNumber + phase).
inline constexpr int kBodyWaveStillSamples = 19;
inline constexpr float kBodyWaveAmplitudeStep = 0.005f;
void SampleBodyWave(WaveGenerator& g, float* out, int n);

// The large fish's first fin wave: every sample sin(waveNumber + phase) * size * amplitude,
// except samples 0 and 1, which stay 0.
void SampleFlapWave(WaveGenerator& g, float* out, int n, float size);
// The large fish's second fin wave: sin(c * waveNumber + phase) * size * amplitude, samples
// 0 to 3 kept at 0.
void SampleRippleWave(WaveGenerator& g, float* out, int n, float size);
// The slow fish's body wave: sin(c * waveNumber + phase) * size * amplitude.
void SampleScaledWave(WaveGenerator& g, float* out, int n, float size);

// The five generators that both slow fish share: one phase and tick each for the whole
// program. Sample c = c * sin(c * k + phase) * size * A.
inline constexpr int kSharedWaveCount = 5;
inline constexpr float kSharedWavePhaseStep = 0.52359873f;
inline constexpr int kSharedWaveSamples[kSharedWaveCount] = {8, 9, 12, 12, 9};
inline constexpr float kSharedWaveNumbers[kSharedWaveCount] = {0.098174766f, 0.098174766f,
                                                               0.049087383f, 0.13089968f,
                                                               0.13089968f};
inline constexpr float kSharedWaveAmplitudes[kSharedWaveCount] = {0.005f, 0.01f, 0.005f,
                                                                  0.005f, 0.02f};
inline constexpr int kMaxSharedWaveSamples = 12;
inline constexpr int kZeroWaveSamples = 8;  // the all-zero sixth array

struct SharedWaves {
  WaveGenerator generators[kSharedWaveCount];
  SharedWaves();
  void Reset();  // phases and ticks back to their start
  // Advances generator k once and fills its samples for a fish of the given size.
  void Sample(int k, float* out, float size);
};

// The program's one set of shared slow-fish generators.
SharedWaves& SlowFishSharedWaves();

}  // namespace fish
