#pragma once
#include "fish/Population.h"
#include "fish/SpeciesFish.h"

// Finding the pool fish under the mouse for Touch, Zoom In and Zoom Out.
namespace view {

inline constexpr double kFishPickRegion = 30.0;  // pixels

// Draws the shown pool fish one at a time in selection mode, in index order, and returns
// the index of the first one under the mouse (-1: none). Only fish that the step shows
// (index below the total and at most revealCount) take part; each one drawn here also
// advances one motion step of its own (fish::StepAndDraw).
int PickFish(fish::SpeciesFish (&pool)[fish::kPoolSize], const fish::SpeciesRanges& ranges,
             int revealCount, int mouseX, int mouseY);

// The picked fish's reaction to the mode's command: Touch startles it, Zoom In and Zoom
// Out make it two sizes larger or smaller.
void ApplyPick(fish::SpeciesFish& fish, int mode);

}  // namespace view
