#pragma once
#include <vector>

#include "Models.h"

// Measures of how the animated models hold together, for --check and for a look.
namespace fishgen {

// The slow fish's largest difference between neighbouring bend entries: a turn of up to
// 179 degrees (the largest small turn) spread over its 14 entries.
constexpr double kSlowMaxBendStep = 179.0 / 13.0;
// What --check lets pass: a front ring may stand this far (tank units at the koi's size)
// outside the strip before it, a fin root this far off the body per unit of the large
// fish's size.
constexpr double kStripGapTolerance = 0.05;
constexpr double kFinRootTolerance = 0.02;

// The slow fish's size and its body wave (amplitude and wave number), as the tank draws it.
constexpr double kSlowSize = 8.0;
constexpr double kSlowBodyWaveAmplitude = 0.03;
constexpr double kSlowBodyWaveNumber = 0.26179937;

// Largest distance, in tank units at size 8, by which the front ring of a trunk strip lies
// outside the strip before it when neighbouring strips differ by `bendStep` degrees (either
// way), each turned about its joint as the tank draws it, over the body wave's whole cycle.
// 0: every strip's front end is hidden in its neighbour; the trunk shows no gap and no open
// ring.
double KoiStripGap(const std::vector<SlowPart>& slow, const SlowJoints& joints, double bendStep);
// The same with every strip turned about the fish's origin (as it used to be drawn).
double KoiStripGapAboutOrigin(const std::vector<SlowPart>& slow, double bendStep);
// Largest distance by which a strip's rear rim stands out of the strip behind it, straight
// (the step of the outline where two strips meet).
double KoiRimStep(const std::vector<SlowPart>& slow);

// The large fish's fin offset and scale as the tank applies them at `size`; `scaleOffset`
// false applies the offset unscaled (as it used to be).
struct FinPlacement {
  double size;
  bool scaleOffset;
};
// Largest distance from a fin's root strip (its first two rows, column by column) to the
// body's surface, over the five fins, in the body's display-list units (before the draw's
// 0.2 scale). The fin waves never move these rows.
double LargeFinRootDistance(const LargeFishModel& large, FinPlacement placement);

}  // namespace fishgen
