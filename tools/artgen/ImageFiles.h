#pragma once
#include <string>

#include "Raster.h"

namespace art {

// 24-bit bottom-up BMP with a 40-byte information header and the image-size field filled
// in; alpha is dropped. The width must be a multiple of 4 so rows carry no fill bytes.
void writeBmp24(const std::string& path, const Raster& image);
// 8-bit RGBA PNG.
void writePng(const std::string& path, const Raster& image);

}  // namespace art
