#pragma once
#include <GL/gl.h>

#include "fish/LargeFish.h"
#include "fish/SlowFish.h"
#include "fish/SpeciesFish.h"
#include "fish/models/ModelTypes.h"

// One frame of a fish: advance its turn and waves, set up its transform, emit its body and
// move it. The caller has translated to the fish's position (and bound the skin for the
// pool and slow fish).
namespace fish {

inline constexpr int kSpeciesPartCount = 8;
inline constexpr int kLongTailSpecies = 1;       // this species' tail edge reaches further
inline constexpr float kLongTailStretch = 1.4f;
inline constexpr float kLargeFishDrawScale = 0.2f;

void SpeciesFishDraw(SpeciesFish& fish, int species);
void LargeFishDraw(LargeFish& fish, GLuint texture);
void SlowFishDraw(SlowFish& fish);

// The same sequences with the body parts given (the program passes its own models).
void SpeciesFishDraw(SpeciesFish& fish, int species,
                     const models::PartModel (&parts)[kSpeciesPartCount]);
void LargeFishDraw(LargeFish& fish, GLuint texture,
                   const models::PartModel (&fins)[kLargeFinCount]);

}  // namespace fish
