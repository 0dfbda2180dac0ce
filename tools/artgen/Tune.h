#pragma once
#include <cstdint>
#include <vector>

namespace art {

struct Tune {
  std::vector<int16_t> samples;  // mono, one whole loop
  int sampleRate;
};

struct TuneReport {
  double seconds;
  double peakDb;       // dBFS
  double seamStep;     // |last sample - first sample|, full scale = 1
  double largestStep;  // the largest step between neighbouring samples inside the loop
};

// The built-in tune: a calm loop of soft pads, a gentle bass and a bell melody. Every note's
// tail that runs past the loop's end is folded back onto its start, so the loop has no seam.
Tune synthesizeTune();

// Checks length, headroom and the seam; throws when one is off.
TuneReport checkTune(const Tune& tune);

}  // namespace art
