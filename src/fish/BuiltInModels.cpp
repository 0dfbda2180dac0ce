// The entry points that use the program's own fish models, and the slow fish's step.
#include "fish/FishDraw.h"
#include "fish/LargeFish.h"
#include "fish/Population.h"
#include "fish/SlowFishParts.h"
#include "fish/models/LargeFishModel.h"
#include "fish/models/SlowFishModel.h"
#include "fish/models/SpeciesFishModel.h"

namespace fish {

void SlowFishStep(SlowFish& fish, SharedWaves& shared, SlowFishPose& pose) {
  pose.place = {fish.x, fish.y, fish.z};
  pose.size = fish.size;
  for (float& b : pose.bend) b = 0.0f;
  fish.turnAndBend(pose.bend, SlowFishKind::kBendCount);
  SampleScaledWave(fish.bodyWave, pose.samples.body, kSlowBodyWaveSamples, fish.size);
  for (int k = 0; k < kSharedWaveCount; ++k) shared.Sample(k, pose.samples.shared[k], fish.size);
  fish.followPitch();
  fish.wander();
  fish.move();
}

void SlowFishStep(SlowFish& fish, SlowFishPose& pose) {
  SlowFishStep(fish, SlowFishSharedWaves(), pose);
}

void SpeciesFishDraw(const SpeciesFishPose& pose) {
  SpeciesFishDraw(pose, models::kSpeciesFishParts);
}

void LargeFishDraw(const LargeFish& fish, const LargeFishPose& pose, GLuint texture) {
  LargeFishDraw(fish, pose, texture, models::kLargeFishFins);
}

void SlowFishDraw(const SlowFishPose& pose) {
  SlowFishDrawParts(pose, models::kSlowFishParts, models::kSlowFishJoints);
}

void StepAndDraw(SpeciesFish& fish, int species,
                 const models::PartModel (&parts)[kSpeciesPartCount]) {
  SpeciesFishPose pose;
  SpeciesFishStep(fish, species, pose);
  SpeciesFishDraw(pose, parts);
}

void StepAndDraw(SpeciesFish& fish, int species) {
  StepAndDraw(fish, species, models::kSpeciesFishParts);
}

void StepAndDraw(LargeFish& fish, GLuint texture,
                 const models::PartModel (&fins)[kLargeFinCount]) {
  LargeFishPose pose;
  LargeFishStep(fish, pose);
  LargeFishDraw(fish, pose, texture, fins);
}

void StepAndDraw(LargeFish& fish, GLuint texture) {
  StepAndDraw(fish, texture, models::kLargeFishFins);
}

void StepAndDraw(SlowFish& fish) {
  SlowFishPose pose;
  SlowFishStep(fish, pose);
  SlowFishDraw(pose);
}

void LargeFish::setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg,
                          float zMinArg, float zMaxArg) {
  setBounds(xMinArg, xMaxArg, yTopArg, yBottomArg, zMinArg, zMaxArg, models::kLargeFishBody);
}

void PlaceFish(SpeciesFish (&pool)[kPoolSize], LargeFish (&large)[kLargeFishCount],
               SlowFish (&slow)[kSlowFishCount], const tank::TankBox& box) {
  PlaceFish(pool, large, slow, box, models::kLargeFishBody);
}

}  // namespace fish
