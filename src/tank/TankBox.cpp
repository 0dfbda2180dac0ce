#include "tank/TankBox.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "settings/SettingsRecord.h"
#include "tank/Projection.h"

namespace tank {
namespace {

// Base box: half-height, depth and the margin added on every side.
constexpr float kBaseHalfHeight = 21.0f;
constexpr float kBaseBack = -50.0f;
constexpr float kMarginX = 20.0f;
constexpr float kMarginY = 4.0f;
// Half-width used when the screen size makes no sense (zero or negative).
constexpr float kFallbackHalfWidth = 29.0f;

// The backdrop is the box scaled by these factors.
constexpr float kBackdropScaleX = 2.0f;
constexpr float kBackdropScaleY = 3.0f;
constexpr float kBackdropScaleZ = 3.0f;

// The frame's projection: half-extent of the shorter side at the near plane (distance 1).
constexpr float kNearHalfExtent = static_cast<float>(kHalfExtent);
// Whole units of overlap kept beyond the view's edge when a box is grown to cover it.
constexpr float kCoverSlack = 1.0f;

struct ListedSize {
  int width, height;
  float halfWidth;
};

constexpr ListedSize kListedSizes[] = {
    {800, 600, 29.0f},   {1024, 768, 29.0f}, {1280, 960, 29.0f}, {1280, 1024, 29.0f},
    {1440, 900, 35.0f},  {1600, 900, 38.0f}, {1680, 1050, 34.0f},
};

// Half-width of the listed size with the nearest aspect ratio; among sizes of the same
// aspect the one nearest in width wins.
float NearestListedHalfWidth(int w, int h) {
  const double aspect = static_cast<double>(w) / h;
  const ListedSize* best = nullptr;
  double bestAspectGap = 0.0;
  int bestWidthGap = 0;
  for (const ListedSize& s : kListedSizes) {
    if (s.width == w && s.height == h) return s.halfWidth;
    const double gap = std::fabs(static_cast<double>(s.width) / s.height - aspect);
    const int widthGap = std::abs(s.width - w);
    constexpr double kSameAspect = 1e-9;
    if (!best || gap < bestAspectGap - kSameAspect ||
        (std::fabs(gap - bestAspectGap) <= kSameAspect && widthGap < bestWidthGap)) {
      best = &s;
      bestAspectGap = gap;
      bestWidthGap = widthGap;
    }
  }
  return best->halfWidth;
}

bool IsListed(int w, int h) {
  for (const ListedSize& s : kListedSizes)
    if (s.width == w && s.height == h) return true;
  return false;
}

}  // namespace

TankBox ComputeTankBox(int screenWidth, int screenHeight) {
  float halfWidth = kFallbackHalfWidth;
  float halfHeight = kBaseHalfHeight;
  if (screenWidth > 0 && screenHeight > 0) {
    halfWidth = NearestListedHalfWidth(screenWidth, screenHeight);
    if (!IsListed(screenWidth, screenHeight)) {
      // The view's half-extents where the backdrop stands (3 x back, seen from the eye).
      const float aspect = static_cast<float>(screenWidth) / static_cast<float>(screenHeight);
      const float distance = kEyeZ - kBackdropScaleZ * kBaseBack;
      const float viewHalfX = kNearHalfExtent * distance * (aspect > 1.0f ? aspect : 1.0f);
      const float viewHalfY = kNearHalfExtent * distance * (aspect > 1.0f ? 1.0f : 1.0f / aspect);
      const float neededHalfWidth =
          std::ceil(viewHalfX / kBackdropScaleX - kMarginX + kCoverSlack);
      const float neededHalfHeight =
          std::ceil(viewHalfY / kBackdropScaleY - kMarginY + kCoverSlack);
      if (neededHalfWidth > halfWidth) halfWidth = neededHalfWidth;
      if (neededHalfHeight > halfHeight) halfHeight = neededHalfHeight;
    }
  }
  TankBox box;
  box.left = -halfWidth - kMarginX;
  box.right = halfWidth + kMarginX;
  box.top = halfHeight + kMarginY;
  box.bottom = -halfHeight - kMarginY;
  box.back = kBaseBack;
  return box;
}

float BackdropZ(const TankBox& box) { return kBackdropScaleZ * box.back; }

void DrawBackdrop(const TankBox& box, bool hidden) {
  const settings::SettingsRecord& s = settings::Settings();
  if (s.backGuding == 0) return;
  glShadeModel(GL_SMOOTH);
  glDisable(GL_TEXTURE_2D);
  if (!hidden) {
    const auto colour = static_cast<unsigned>(s.backColor);
    const GLubyte red = colour & 0xFFu;
    const GLubyte green = (colour >> 8) & 0xFFu;
    const GLubyte blue = (colour >> 16) & 0xFFu;
    const float left = kBackdropScaleX * box.left;
    const float right = kBackdropScaleX * box.right;
    const float top = kBackdropScaleY * box.top;
    const float bottom = kBackdropScaleY * box.bottom;
    const float z = BackdropZ(box);
    glBegin(GL_QUADS);
    glColor3ub(red, green, blue);
    glVertex3f(left, bottom, z);
    glColor3ub(red, green, blue);
    glVertex3f(right, bottom, z);
    glColor3ub(red, green, blue);
    glVertex3f(right, top, z);
    glColor3ub(red, green, blue);
    glVertex3f(left, top, z);
    glEnd();
  }
  glEnable(GL_TEXTURE_2D);
  glColor3ub(255, 255, 255);
}

}  // namespace tank
