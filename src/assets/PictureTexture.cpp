#include "assets/PictureTexture.h"

#include <GL/glu.h>
#include <SOIL/SOIL.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "assets/PictureDecoder.h"
#include "assets/PixelStoreScope.h"

namespace assets {

namespace {
// Mipmaps, rows flipped for OpenGL, compressed where the driver can, NTSC-safe colours.
constexpr unsigned kPictureFlags = SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y |
                                   SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB;
static_assert(kPictureFlags == 178);
// A background never shows more pixels than a screen has: larger pictures are scaled down to
// this side first. Left to the texture library, a 10000 x 10000 picture is blown up to the
// next power of two and compressed on the CPU, which stalls the program for a minute.
constexpr GLint kLargestPictureSide = 4096;

GLenum ChannelFormat(int channels) {
  switch (channels) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
  }
}

// The largest size at most maxSide on both axes with the picture's proportions.
PictureSize FitInside(int width, int height, GLint maxSide) {
  const double scale = std::min(static_cast<double>(maxSide) / width,
                                static_cast<double>(maxSide) / height);
  auto side = [&](int s) {
    return std::clamp(static_cast<int>(std::floor(s * scale)), 1, static_cast<int>(maxSide));
  };
  return {side(width), side(height)};
}

GLuint TextureFromDecoded(const DecodedPicture& picture, GLint maxSide) {
  if (picture.width <= maxSide && picture.height <= maxSide)
    return SOIL_create_OGL_texture(picture.pixels.get(), picture.width, picture.height,
                                   picture.channels, 0, kPictureFlags);
  const PictureSize fit = FitInside(picture.width, picture.height, maxSide);
  std::vector<unsigned char> scaled(static_cast<std::size_t>(fit.width) * fit.height *
                                    picture.channels);
  {
    PixelStoreScope tight;
    if (gluScaleImage(ChannelFormat(picture.channels), picture.width, picture.height,
                      GL_UNSIGNED_BYTE, picture.pixels.get(), fit.width, fit.height,
                      GL_UNSIGNED_BYTE, scaled.data()) != 0)
      return 0;
  }
  return SOIL_create_OGL_texture(scaled.data(), fit.width, fit.height, picture.channels, 0,
                                 kPictureFlags);
}
}  // namespace

GLuint LoadPictureTexture(const std::string& path) {
  // Only a regular file can be a picture; opening a named pipe or a device would wait for
  // ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return 0;
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  maxSide = std::min(maxSide, kLargestPictureSide);
  const auto size = ProbePicture(path);
  const bool fits = size && size->width <= maxSide && size->height <= maxSide;
  if (!size || fits) {
    if (GLuint texture = SOIL_load_OGL_texture(path.c_str(), SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID,
                                               kPictureFlags))
      return texture;
    if (!size) return 0;
  }
  // Formats the texture library cannot read (progressive JPEG, 16-bit PNG, newer BMP
  // headers) and pictures too large for one texture go through our own decoder.
  const auto picture = DecodePicture(path);
  if (!picture) return 0;
  return TextureFromDecoded(*picture, maxSide);
}

}  // namespace assets
