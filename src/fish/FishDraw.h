#pragma once
#include <GL/gl.h>

#include "fish/LargeFish.h"
#include "fish/SlowFish.h"
#include "fish/SlowFishParts.h"
#include "fish/SpeciesFish.h"
#include "fish/models/ModelTypes.h"

// A fish's simulation step and its drawing, apart. The step advances its turn and waves,
// its climb, wander and move, exactly as one frame of the tank always has, and leaves a pose:
// everything its picture needs from that step. The draw emits the picture from the pose alone
// and changes nothing. The caller translates to the pose's position (and binds the skin for
// the pool and slow fish) before the draw.
namespace fish {

inline constexpr int kSpeciesPartCount = 8;
inline constexpr int kLongTailSpecies = 1;       // this species' tail edge reaches further
inline constexpr float kLongTailStretch = 1.4f;
inline constexpr float kLargeFishDrawScale = 0.2f;

struct SpeciesFishPose {
  PosePlace place;
  int species = 0;
  int size = 0;
  float pitch = 0.0f;
  float heading = 0.0f;
  float bend0 = 0.0f;  // the first bend entry turns the whole body
  float body[kBodyWaveSamples] = {};
  float pectoral[kPectoralWaveSamples] = {};
  float pelvic[kPelvicWaveSamples] = {};
  float rear[kRearFinWaveSamples] = {};
  float tail[kTailWaveSamples] = {};
};

struct LargeFishPose {
  PosePlace place;
  float size = 0.0f;
  float pitch = 0.0f;
  float heading = 0.0f;
  float flap[kLargeFinWaveSamples] = {};
  float ripple[kLargeFinWaveSamples] = {};
};

// One step of each kind, filling the pose.
void SpeciesFishStep(SpeciesFish& fish, int species, SpeciesFishPose& pose);
void LargeFishStep(LargeFish& fish, LargeFishPose& pose);
// The slow fish's step advances the program's shared generators as well.
void SlowFishStep(SlowFish& fish, SlowFishPose& pose);
void SlowFishStep(SlowFish& fish, SharedWaves& shared, SlowFishPose& pose);

// The pictures, with the program's own models.
void SpeciesFishDraw(const SpeciesFishPose& pose);
void LargeFishDraw(const LargeFish& fish, const LargeFishPose& pose, GLuint texture);
void SlowFishDraw(const SlowFishPose& pose);

// The same with the body parts given.
void SpeciesFishDraw(const SpeciesFishPose& pose,
                     const models::PartModel (&parts)[kSpeciesPartCount]);
void LargeFishDraw(const LargeFish& fish, const LargeFishPose& pose, GLuint texture,
                   const models::PartModel (&fins)[kLargeFinCount]);

// A step and then its picture at the current position: what the fish pick does with each
// fish it tries, and what a test or tool that shows one fish frame by frame does.
void StepAndDraw(SpeciesFish& fish, int species);
void StepAndDraw(SpeciesFish& fish, int species,
                 const models::PartModel (&parts)[kSpeciesPartCount]);
void StepAndDraw(LargeFish& fish, GLuint texture);
void StepAndDraw(LargeFish& fish, GLuint texture, const models::PartModel (&fins)[kLargeFinCount]);
void StepAndDraw(SlowFish& fish);

}  // namespace fish
