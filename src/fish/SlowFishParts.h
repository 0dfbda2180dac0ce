#pragma once
#include <GL/gl.h>

#include <cstddef>

#include "fish/GeneratedPart.h"
#include "fish/SlowFish.h"
#include "fish/SlowFishJoints.h"
#include "fish/models/ModelTypes.h"

// The slow fish's picture over any table of its parts. A part names the bend entry that turns
// it (-1: the trunk, whose strip k is turned by entry k) and up to two drives, each adding
// one wave array to one coordinate of a range of rows. Each entry turns its parts about its
// own joint on the chain of fish/SlowFishJoints.h.
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

// Where a fish stood when its step began: its picture is drawn there.
struct PosePlace {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

// What one step of a slow fish leaves for its picture.
struct SlowFishPose {
  PosePlace place;
  float size = 0.0f;
  float bend[SlowFishKind::kBendCount] = {};
  SlowFishSamples samples;
};

inline int ClampBendEntry(int k) {
  return k < 0 ? 0 : (k >= SlowFishKind::kBendCount ? SlowFishKind::kBendCount - 1 : k);
}

using SlowFrames = JointFrame<float>[SlowFishKind::kBendCount];

// The part matrix of bend entry k: its turn, then its place on the chain.
inline void SetJointMatrix(float (&m)[16], const SlowFrames& frames, int k) {
  const JointFrame<float>& f = frames[ClampBendEntry(k)];
  SetPartAngle(m, f.angleDegrees);
  m[12] = f.tx;
  m[13] = f.ty;
}

template <class SlowPart>
void EmitSlowPart(float (&m)[16], const SlowPart& p, const SlowFishPose& pose,
                  const SlowFrames& frames) {
  PartCopy copy(p.part, pose.size);
  for (int d = 0; d < p.driveCount && d < 2; ++d) {
    const auto& drive = p.drives[d];
    copy.Displace(drive.axis, drive.firstRow, drive.lastRow, pose.samples.Array(drive.sampleArray),
                  SlowFishSamples::Count(drive.sampleArray), drive.indexBy == 1);
  }
  if (p.yawEntry < 0) {
    for (int k = 0; k < p.part.strips; ++k) {
      SetJointMatrix(m, frames, k);
      copy.EmitStrip(m, k);
    }
    for (int k = 0; k < p.part.mirroredStrips; ++k) {
      SetJointMatrix(m, frames, k);
      copy.EmitMirroredStrip(m, k);
    }
    return;
  }
  SetJointMatrix(m, frames, p.yawEntry);
  copy.EmitBothPasses(m);
}

// The slow fish's picture over any table of its parts and joints: level while it climbs or
// sinks, head first like the others, the parts in table order as one draw.
template <class SlowPart, std::size_t N>
void SlowFishDrawParts(const SlowFishPose& pose, const SlowPart (&parts)[N],
                       const models::SlowJointModel& joints) {
  static_assert(models::kSlowJointCount == SlowFishKind::kBendCount);
  SlowFrames frames;
  ChainJoints(pose.bend, joints.x, SlowFishKind::kBendCount, joints.anchor, pose.size, frames);
  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (kSlowFishModelTurn != 0.0f) glRotatef(kSlowFishModelTurn, 0.0f, 0.0f, 1.0f);
  {
    float m[16];
    const PartBatch batch;  // all 24 parts as one draw
    for (const SlowPart& p : parts) EmitSlowPart(m, p, pose, frames);
  }
  glPopMatrix();
}

}  // namespace fish
