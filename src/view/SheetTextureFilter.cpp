#include "view/SheetTextureFilter.h"

#include <algorithm>

#include "view/Camera.h"

namespace view {

bool IsMipmapFilter(GLint filter) {
  return filter == GL_NEAREST_MIPMAP_NEAREST || filter == GL_LINEAR_MIPMAP_NEAREST ||
         filter == GL_NEAREST_MIPMAP_LINEAR || filter == GL_LINEAR_MIPMAP_LINEAR;
}

bool BoundTextureHasAllLevels(GLint width, GLint height) {
  if (width <= 0 || height <= 0) return false;
  for (GLint level = 0;; ++level) {
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    if (w != std::max(1, width >> level) || h != std::max(1, height >> level)) return false;
    if (w == 1 && h == 1) return true;
  }
}

SheetFilterScope::SheetFilterScope(const tank::BackgroundSurface& sheet, double eyeZ,
                                   int screenWidth, int screenHeight, bool allowed) {
  if (!allowed) return;
  GLint magFilter = 0, baseLevel = 0, width = 0, height = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter_);
  if (!IsMipmapFilter(minFilter_)) return;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, &baseLevel);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  if (baseLevel != 0 || !BoundTextureHasAllLevels(width, height)) return;
  // One pixel step at distance 1: the shorter side spans 2 * kHalfExtent.
  const double pixelSize = 2.0 * kHalfExtent / std::max(1, std::min(screenWidth, screenHeight));
  if (sheet.MaxTexelsPerPixel(width, height, eyeZ, pixelSize) >= kMagnifiedTexelLimit) return;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, magFilter);
  changed_ = true;
}

SheetFilterScope::~SheetFilterScope() {
  if (changed_) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter_);
}

}  // namespace view
