#include "assets/PictureDecoder.h"

// The decoder's implementation lives in this file only, with internal linkage, so it never
// clashes with the copy the texture library carries.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_GIF
#define STBI_NO_HDR
#define STBI_NO_PIC
#define STBI_NO_PNM
#define STBI_NO_PSD
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include <cstdlib>

namespace assets {

std::optional<PictureSize> ProbePicture(const std::string& path) {
  PictureSize size;
  int channels = 0;
  if (!stbi_info(path.c_str(), &size.width, &size.height, &channels)) return std::nullopt;
  if (size.width <= 0 || size.height <= 0) return std::nullopt;
  return size;
}

std::optional<DecodedPicture> DecodePicture(const std::string& path) {
  DecodedPicture picture;
  unsigned char* pixels =
      stbi_load(path.c_str(), &picture.width, &picture.height, &picture.channels, 0);
  if (!pixels) return std::nullopt;
  picture.pixels = {pixels, [](void* p) { stbi_image_free(p); }};
  return picture;
}

}  // namespace assets
