#pragma once
#include <GL/gl.h>

#include "fish/FishMotion.h"
#include "fish/WaveGenerator.h"
#include "fish/models/ModelTypes.h"

namespace fish {

struct LargeFishKind {
  using Size = float;
  static constexpr int kBendCount = 19;
  static constexpr float kSpeedMin = 0.1f;
  static constexpr float kSpeedMax = 0.3f;
  static constexpr int kWanderAfter = 200;
  static constexpr int kWanderResetRange = 100;
  static constexpr int kSmallTurnRange = 180;
  static constexpr bool kLargeBounds = true;
  static constexpr float kSlowDownSpeed = 0.1f;
  static constexpr bool kJumpsAcross = true;  // one time in five it reappears at xMax
};

inline constexpr float kLargeSizeUsual = 20.0f;
inline constexpr float kLargeSizeSmall = 8.0f;  // one in ten
inline constexpr float kLargePartScale = 1.2f;  // fins are scaled by size * 1.2
inline constexpr float kLargeFinOffset[3] = {-0.500001f, -8.49999f, -6.7f};
inline constexpr int kLargeFinWaveSamples = 10;
inline constexpr int kLargeFinCount = 5;
// The fin waves: one flap of the whole fin edge and one ripple along the last fin.
inline constexpr float kLargeFinWaveNumber = 0.31415924f;
inline constexpr float kLargeFinWaveAmplitude = 0.05f;
inline constexpr float kLargeFinPhaseStep = 0.52359873f;

// One of the two large fish: a compiled triangle body and five waving fins.
class LargeFish : public FishMotion<LargeFish, LargeFishKind> {
 public:
  LargeFish();  // draws size, targetPitch, targetHeading, wander timer in this order

  WaveGenerator finWave{0.0f, 0, kLargeFinWaveNumber, kLargeFinWaveAmplitude,
                        kLargeFinPhaseStep};
  WaveGenerator rippleWave{0.0f, 0, kLargeFinWaveNumber, kLargeFinWaveAmplitude,
                           kLargeFinPhaseStep};
  float partScale = kLargePartScale;
  float partOffset[3] = {kLargeFinOffset[0], kLargeFinOffset[1], kLargeFinOffset[2]};
  GLuint bodyList = 0;  // lives as long as the program

  // Bounds as for every fish, wall code cleared, and the body compiled into its own list.
  void setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg, float zMinArg,
                 float zMaxArg);
  // As above with a given body model.
  void setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg, float zMinArg,
                 float zMaxArg, const models::TriangleModel& body);
};

// Compiles one display list holding the triangles of `body` with positions times `size`.
GLuint CompileTriangleModel(const models::TriangleModel& body, float size);

}  // namespace fish
