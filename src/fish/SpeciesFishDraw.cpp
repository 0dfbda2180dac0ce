#include <GL/gl.h>

#include <cmath>

#include "fish/FishDraw.h"
#include "fish/GeneratedPart.h"

namespace fish {
namespace {

enum SpeciesPart { kBody, kHeadCap, kMouth, kPectoral, kPelvic, kRearFin, kTail, kEye };

void EmitPlain(const float (&m)[16], const models::PartModel& part, float scale) {
  const PartCopy copy(part, scale);
  copy.EmitBothPasses(m);
}

void EmitFin(const float (&m)[16], const models::PartModel& part, float scale,
             const float* samples, int sampleCount, float xStretch) {
  PartCopy copy(part, scale);
  float d[kMaxPartVertices] = {};
  for (int c = 0; c < part.cols && c < sampleCount && c < kMaxPartVertices; ++c) {
    d[c] = scale * samples[c];
  }
  // The first row of the strip is the fin's free edge; the root row stays.
  if (part.strips > 0) copy.FlapRow(part.stripRows[0], d, xStretch);
  copy.EmitBothPasses(m);
}

}  // namespace

void SpeciesFishStep(SpeciesFish& fish, int species, SpeciesFishPose& pose) {
  fish.species = species;
  pose.place = {fish.x, fish.y, fish.z};
  pose.species = species;

  float bend[PoolFishKind::kBendCount] = {};
  fish.turnAndBend(bend, PoolFishKind::kBendCount);
  pose.bend0 = bend[0];
  SampleBodyWave(fish.bodyWave, pose.body, kBodyWaveSamples);
  fish.pectoralWave.Sample(pose.pectoral, kPectoralWaveSamples, kFinWaveThreshold);
  fish.pelvicWave.Sample(pose.pelvic, kPelvicWaveSamples, kFinWaveThreshold);
  fish.rearFinWave.Sample(pose.rear, kRearFinWaveSamples, kFinWaveThreshold);
  fish.tailWave.Sample(pose.tail, kTailWaveSamples, kFinWaveThreshold);

  fish.followPitch();
  pose.pitch = fish.pitch;
  pose.heading = fish.heading;
  pose.size = fish.size;
  fish.wander();
  fish.move();
  fish.updateAvoidanceBox();
}

void SpeciesFishDraw(const SpeciesFishPose& pose,
                     const models::PartModel (&parts)[kSpeciesPartCount]) {
  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  const float h = pose.heading * kDegToRad;
  glRotatef(-pose.pitch, std::sin(h), -std::cos(h), 0.0f);

  const float scale = static_cast<float>(pose.size);
  float m[16];
  SetPartAngle(m, pose.bend0);
  {
    const PartBatch batch;  // the whole body reaches the GL as one draw
    {
      PartCopy copy(parts[kBody], scale);
      float d[kBodyWaveSamples];
      for (int c = 0; c < kBodyWaveSamples; ++c) d[c] = scale * pose.body[c];
      if (parts[kBody].cols <= kBodyWaveSamples) copy.SwingRows(d);
      copy.EmitBothPasses(m);
    }
    EmitPlain(m, parts[kHeadCap], scale);
    EmitPlain(m, parts[kMouth], scale);
    EmitFin(m, parts[kPectoral], scale, pose.pectoral, kPectoralWaveSamples, 1.0f);
    EmitFin(m, parts[kPelvic], scale, pose.pelvic, kPelvicWaveSamples, 1.0f);
    EmitFin(m, parts[kRearFin], scale, pose.rear, kRearFinWaveSamples, 1.0f);
    EmitFin(m, parts[kTail], scale, pose.tail, kTailWaveSamples,
            pose.species == kLongTailSpecies ? kLongTailStretch : 1.0f);
    EmitPlain(m, parts[kEye], scale);
  }
  glPopMatrix();
}

}  // namespace fish
