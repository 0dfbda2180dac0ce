#pragma once
#include <GL/gl.h>

#include <cstddef>

#include "fish/GeneratedPart.h"
#include "fish/SlowFish.h"

// The slow fish's frame over any table of its parts. A part names the bend entry that turns
// it (-1: the trunk, whose strip k is turned by entry k) and up to two drives, each adding
// one wave array to one coordinate of a range of rows.
namespace fish {

inline constexpr int kSlowSampleArrays = 7;  // body wave, five shared generators, zeros
// The slow fish's model lies head to -x like every fish body, so it takes no extra quarter
// turn about its vertical: with one it would swim sideways.
inline constexpr float kSlowFishModelTurn = 0.0f;

struct SlowFishSamples {
  float body[kSlowBodyWaveSamples] = {};
  float shared[kSharedWaveCount][kMaxSharedWaveSamples] = {};
  float zeros[kZeroWaveSamples] = {};

  const float* Array(int k) const {
    if (k == 0) return body;
    if (k >= 1 && k <= kSharedWaveCount) return shared[k - 1];
    return zeros;
  }
  static int Count(int k) {
    if (k == 0) return kSlowBodyWaveSamples;
    if (k >= 1 && k <= kSharedWaveCount) return kSharedWaveSamples[k - 1];
    return kZeroWaveSamples;
  }
};

inline int ClampBendEntry(int k) {
  return k < 0 ? 0 : (k >= SlowFishKind::kBendCount ? SlowFishKind::kBendCount - 1 : k);
}

template <class SlowPart>
void EmitSlowPart(SlowFish& fish, const SlowPart& p, const float (&bend)[SlowFishKind::kBendCount],
                  const SlowFishSamples& samples) {
  PartCopy copy(p.part, fish.size);
  for (int d = 0; d < p.driveCount && d < 2; ++d) {
    const auto& drive = p.drives[d];
    copy.Displace(drive.axis, drive.firstRow, drive.lastRow, samples.Array(drive.sampleArray),
                  SlowFishSamples::Count(drive.sampleArray), drive.indexBy == 1);
  }
  if (p.yawEntry < 0) {
    for (int k = 0; k < p.part.strips; ++k) {
      SetPartAngle(fish.partMatrix, bend[ClampBendEntry(k)]);
      copy.EmitStrip(fish.partMatrix, k);
    }
    for (int k = 0; k < p.part.mirroredStrips; ++k) {
      SetPartAngle(fish.partMatrix, bend[ClampBendEntry(k)]);
      copy.EmitMirroredStrip(fish.partMatrix, k);
    }
    return;
  }
  SetPartAngle(fish.partMatrix, bend[ClampBendEntry(p.yawEntry)]);
  copy.EmitBothPasses(fish.partMatrix);
}

// One frame of a slow fish: bend, waves (its own and the program's shared ones), transform,
// wander, the parts in table order, move. It stays level while it climbs or sinks, and
// swims head first like the others.
template <class SlowPart, std::size_t N>
void SlowFishDrawParts(SlowFish& fish, const SlowPart (&parts)[N], SharedWaves& shared) {
  float bend[SlowFishKind::kBendCount] = {};
  fish.turnAndBend(bend, SlowFishKind::kBendCount);
  SlowFishSamples samples;
  SampleScaledWave(fish.bodyWave, samples.body, kSlowBodyWaveSamples, fish.size);
  for (int k = 0; k < kSharedWaveCount; ++k) shared.Sample(k, samples.shared[k], fish.size);

  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (kSlowFishModelTurn != 0.0f) glRotatef(kSlowFishModelTurn, 0.0f, 0.0f, 1.0f);
  fish.followPitch();
  fish.wander();
  {
    const PartBatch batch;  // all 24 parts as one draw
    for (const SlowPart& p : parts) EmitSlowPart(fish, p, bend, samples);
  }
  fish.move();
  glPopMatrix();
}

}  // namespace fish
