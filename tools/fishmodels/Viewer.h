#pragma once
#include <string>
#include <vector>

#include "Models.h"

namespace fishgen {

// Draws every model lit and textured (with the skins from skinDir when they exist, else a
// stripe test texture) from the side and from above into PNG files in outDir:
// species.png, large.png, slow.png.
bool RenderModels(const std::string& outDir, const std::string& skinDir,
                  const std::vector<PartGrid>& species, const LargeFishModel& large,
                  const std::vector<SlowPart>& slow, const SlowJoints& joints);

}  // namespace fishgen
