#pragma once
#include <vector>

#include "Part.h"

namespace fishgen {

// The eight parts of the species fish, in emit order: body, head cap, mouth, pectoral fins,
// pelvic fins, rear fins, tail fin, eye. Only the +y half; the draw code mirrors it.
std::vector<PartGrid> BuildSpeciesFish();

// True when no part but the eye (the last) has a texture coordinate in the skins' eye
// swatch; otherwise names the offending part on stderr.
bool EyeSwatchIsReserved(const std::vector<PartGrid>& parts);

}  // namespace fishgen
