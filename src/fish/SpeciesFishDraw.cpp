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

void SpeciesFishDraw(SpeciesFish& fish, int species,
                     const models::PartModel (&parts)[kSpeciesPartCount]) {
  fish.species = species;

  float bend[PoolFishKind::kBendCount] = {};
  fish.turnAndBend(bend, PoolFishKind::kBendCount);
  float body[kBodyWaveSamples];
  float pectoral[kPectoralWaveSamples];
  float pelvic[kPelvicWaveSamples];
  float rear[kRearFinWaveSamples];
  float tail[kTailWaveSamples];
  SampleBodyWave(fish.bodyWave, body, kBodyWaveSamples);
  fish.pectoralWave.Sample(pectoral, kPectoralWaveSamples, kFinWaveThreshold);
  fish.pelvicWave.Sample(pelvic, kPelvicWaveSamples, kFinWaveThreshold);
  fish.rearFinWave.Sample(rear, kRearFinWaveSamples, kFinWaveThreshold);
  fish.tailWave.Sample(tail, kTailWaveSamples, kFinWaveThreshold);

  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  fish.followPitch();
  const float h = fish.heading * kDegToRad;
  glRotatef(-fish.pitch, std::sin(h), -std::cos(h), 0.0f);
  fish.wander();

  const float scale = static_cast<float>(fish.size);
  SetPartAngle(fish.partMatrix, bend[0]);
  {
    const PartBatch batch;  // the whole body reaches the GL as one draw
    {
      PartCopy copy(parts[kBody], scale);
      float d[kBodyWaveSamples];
      for (int c = 0; c < kBodyWaveSamples; ++c) d[c] = scale * body[c];
      if (parts[kBody].cols <= kBodyWaveSamples) copy.SwingRows(d);
      copy.EmitBothPasses(fish.partMatrix);
    }
    EmitPlain(fish.partMatrix, parts[kHeadCap], scale);
    EmitPlain(fish.partMatrix, parts[kMouth], scale);
    EmitFin(fish.partMatrix, parts[kPectoral], scale, pectoral, kPectoralWaveSamples, 1.0f);
    EmitFin(fish.partMatrix, parts[kPelvic], scale, pelvic, kPelvicWaveSamples, 1.0f);
    EmitFin(fish.partMatrix, parts[kRearFin], scale, rear, kRearFinWaveSamples, 1.0f);
    EmitFin(fish.partMatrix, parts[kTail], scale, tail, kTailWaveSamples,
            species == kLongTailSpecies ? kLongTailStretch : 1.0f);
    EmitPlain(fish.partMatrix, parts[kEye], scale);
  }

  fish.move();
  fish.updateAvoidanceBox();
  glPopMatrix();
}

}  // namespace fish
