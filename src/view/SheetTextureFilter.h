#pragma once
#include <GL/gl.h>

#include "tank/BackgroundSurface.h"

// A mipmapped picture that the background sheet only ever magnifies is sampled through its
// magnification filter alone, whatever its minification filter says. While such a sheet is
// drawn the bound texture's minification filter is set to the magnification filter: the same
// pixels, without the per-pixel level-of-detail work of a mipmapped filter.
namespace view {

// Room left for the rasterizer's own estimate of the texel step (it may take the sum of the
// two texture axes' steps for their length, up to sqrt 2 too much).
inline constexpr double kMagnifiedTexelLimit = 1.0 / 1.5;

bool IsMipmapFilter(GLint filter);

// Whether the bound 2-D texture has every mipmap level down to 1 x 1 (so that changing its
// filter cannot make an incomplete texture complete).
bool BoundTextureHasAllLevels(GLint width, GLint height);

// Sets the bound texture's minification filter for the sheet about to be drawn, and puts it
// back when it goes.
class SheetFilterScope {
 public:
  // eyeZ: the eye's z; screen size in pixels, as the frame's projection takes it. With
  // allowed false nothing is changed.
  SheetFilterScope(const tank::BackgroundSurface& sheet, double eyeZ, int screenWidth,
                   int screenHeight, bool allowed = true);
  ~SheetFilterScope();
  SheetFilterScope(const SheetFilterScope&) = delete;
  SheetFilterScope& operator=(const SheetFilterScope&) = delete;

  bool changed() const { return changed_; }

 private:
  GLint minFilter_ = 0;
  bool changed_ = false;
};

}  // namespace view
