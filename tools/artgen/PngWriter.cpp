#include <vector>

#include "Check.h"
#include "ImageFiles.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace art {

void writePng(const std::string& path, const Raster& image) {
  std::vector<unsigned char> bytes;
  bytes.reserve(static_cast<size_t>(image.width()) * image.height() * 4);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const Rgba& c = image.at(x, y);
      const bool clear = c.a < 0.5f / 255.0f;
      bytes.push_back(clear ? 0 : toByte(c.r));
      bytes.push_back(clear ? 0 : toByte(c.g));
      bytes.push_back(clear ? 0 : toByte(c.b));
      bytes.push_back(toByte(c.a));
    }
  const int ok = stbi_write_png(path.c_str(), image.width(), image.height(), 4, bytes.data(),
                                image.width() * 4);
  require(ok != 0, "cannot write " + path);
}

}  // namespace art
