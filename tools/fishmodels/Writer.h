#pragma once
#include <string>
#include <vector>

#include "Models.h"

namespace fishgen {

// Writes the generated tables as C++ sources. A file whose content would not change is left
// untouched, so its timestamp (and the build) stays put. Returns false on a write failure.
// In check mode nothing is written and false means the file differs from what it would be.
void SetCheckOnly(bool checkOnly);
bool WriteSpeciesFishSource(const std::string& path, const std::vector<PartGrid>& parts);
bool WriteLargeFishSource(const std::string& path, const LargeFishModel& model);
bool WriteSlowFishSource(const std::string& path, const std::vector<SlowPart>& parts,
                         const SlowJoints& joints);

}  // namespace fishgen
