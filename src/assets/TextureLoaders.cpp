#include "assets/TextureLoaders.h"

#include <GL/glu.h>

#include <algorithm>
#include <vector>

#include "assets/BmpDecoder.h"
#include "assets/PixelStoreScope.h"
#include "assets/Unpack.h"
#include "platform/SettingsDir.h"

namespace assets {

namespace {
constexpr GLint kMaxSkinSide = 512;
constexpr int kMinSkinSide = 2;
constexpr std::uint8_t kOpaque = 255;
constexpr std::uint8_t kClear = 0;

// The smaller of cap and side, rounded up to a power of two; 1 becomes 2.
GLsizei SkinTextureSide(int side, GLint cap) {
  const int wanted = std::min<GLint>(side, cap);
  int pow2 = 1;
  while (pow2 < wanted) pow2 *= 2;
  return std::max(pow2, kMinSkinSide);
}

GLint SkinSideCap() {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  return std::min(kMaxSkinSide, maxSize);
}

// Blue-green-red to red-green-blue-alpha; pure black becomes transparent.
std::vector<std::uint8_t> ToRgbaBlackClear(const BmpPixels& image) {
  const std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
  std::vector<std::uint8_t> rgba(pixels * 4);
  const std::uint8_t* s = image.data.data();
  std::uint8_t* d = rgba.data();
  for (std::size_t i = 0; i < pixels; ++i, s += 3, d += 4) {
    d[0] = s[2];
    d[1] = s[1];
    d[2] = s[0];
    d[3] = (s[0] | s[1] | s[2]) ? kOpaque : kClear;
  }
  return rgba;
}
}  // namespace

void LoadScaledTexture(const std::string& path, GLuint* texture) {
  glGenTextures(1, texture);
  glBindTexture(GL_TEXTURE_2D, *texture);
  const auto file = ReadWholeFile(path);
  if (!file) return;
  const auto image = DecodeSkinBmp(*file);
  if (!image) return;

  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  const GLint cap = SkinSideCap();
  const GLsizei width = SkinTextureSide(image->width, cap);
  const GLsizei height = SkinTextureSide(image->height, cap);
  const GLint components = image->channels;
  const GLenum format = components == 4 ? GL_BGRA : GL_BGR;

  PixelStoreScope tight;
  if (width == image->width && height == image->height) {
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE,
                 image->data.data());
    return;
  }
  // Scaling treats every channel alike, so the channel order does not matter here.
  const GLenum scaleFormat = components == 4 ? GL_RGBA : GL_RGB;
  std::vector<std::uint8_t> scaled(static_cast<std::size_t>(width) * height * components);
  if (gluScaleImage(scaleFormat, image->width, image->height, GL_UNSIGNED_BYTE, image->data.data(),
                    width, height, GL_UNSIGNED_BYTE, scaled.data()) != 0)
    return;
  glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE,
               scaled.data());
}

void LoadMipmappedTexture(const std::string& path, GLuint* texture) {
  glGenTextures(1, texture);
  glBindTexture(GL_TEXTURE_2D, *texture);
  const auto file = ReadWholeFile(path);
  if (!file) return;
  const auto image = DecodeBackgroundBmp(*file);
  if (!image) return;

  const std::vector<std::uint8_t> rgba = ToRgbaBlackClear(*image);
  {
    PixelStoreScope tight;
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image->width, image->height, GL_RGBA, GL_UNSIGNED_BYTE,
                      rgba.data());
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

GLuint LoadPackedTexture(int id, const std::string& baseName, bool mipmapped) {
  const std::string dir = platform::SettingsDirectory();
  // Without the resource the loader gets no file and leaves a name without image (a stale
  // file of the same name from an earlier run is not picked up).
  const bool unpacked = Unpack(id, dir, baseName);
  const std::string path = unpacked ? UnpackedPath(dir, baseName) : std::string();
  GLuint texture = 0;
  if (mipmapped)
    LoadMipmappedTexture(path, &texture);
  else
    LoadScaledTexture(path, &texture);
  DeleteUnpacked(dir, baseName);
  return texture;
}

}  // namespace assets
