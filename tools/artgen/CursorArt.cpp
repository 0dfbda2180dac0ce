#include "CursorArt.h"

#include "MenuIcons.h"
#include "Palette.h"

namespace art {
namespace {

using namespace shape;
using namespace palette;

// Feeding hand: fingertips pinch at the hot spot, flakes fall below it.
constexpr int kFeedHotX = 9, kFeedHotY = 13;
// Touch hands: the index fingertip.
constexpr int kTouchHotX = 11, kTouchHotY = 2;
// Magnifiers: the lens centre.
constexpr int kLensX = 12, kLensY = 12;

void flake(Raster& img, float x, float y, float angle, const Rgba& c) {
  outlined(img, rotatedEllipse(x, y, 2.0f, 1.4f, angle), c, 1.2f);
}

void feedingHand(Raster& img, bool released) {
  // the back of a hand seen from the side, sleeve at the upper right, thumb and index
  // finger pinching at the hot spot (opened when the food is let go)
  outlined(img, capsule(25, 6, 29.5f, 2.5f, 4.2f), blue());
  const float open = released ? 1.0f : 0.0f;
  const Sdf palm = roundedBox(19.5f, 9.5f, 6.5f, 5.0f, 4.0f);
  const Sdf index = capsule(15, 6.5f, kFeedHotX + 0.5f - open, kFeedHotY - 3.0f - 2.5f * open, 2.3f);
  const Sdf middle = capsule(17, 9, kFeedHotX + 4.0f, kFeedHotY - 0.5f - open, 2.1f);
  const Sdf thumb = capsule(19, 14, kFeedHotX + 2.0f + open, kFeedHotY + 1.5f + 2.0f * open, 2.2f);
  outlined(img, unite(unite(palm, index), unite(middle, thumb)), skin());
  img.fill(stroke(capsule(16.2f, 10.2f, kFeedHotX + 4.0f, kFeedHotY - 2.2f - open, 0), 0.9f), outline());
  img.fill(stroke(capsule(18.5f, 12.6f, kFeedHotX + 4.5f, kFeedHotY + 0.6f, 0), 0.9f), outline());
  if (released) {
    flake(img, kFeedHotX + 0.5f, kFeedHotY + 0.8f, -0.2f, yellow());
    flake(img, 8, 19, 0.5f, yellow());
    flake(img, 12, 22.5f, -0.4f, orange());
    flake(img, 6.5f, 25.5f, 0.9f, orange());
    flake(img, 11, 28.5f, 0.2f, yellow());
  } else {
    flake(img, kFeedHotX + 0.5f, kFeedHotY + 0.5f, 0.3f, orange());
    flake(img, 10, 21, -0.3f, yellow());
    flake(img, 7, 27, 0.6f, orange());
  }
}

void openHand(Raster& img) {
  const Sdf palm = roundedBox(16, 22, 7, 6.5f, 4);
  const Sdf fingers = unite(unite(capsule(12, 15, kTouchHotX, kTouchHotY + 2.3f, 2.2f), capsule(16.2f, 15, 16.4f, 3.2f, 2.2f)),
                            unite(capsule(20.2f, 16, 21.2f, 5.5f, 2.1f), capsule(23, 19, 25.8f, 10, 1.9f)));
  const Sdf thumb = capsule(10.5f, 23, 5.5f, 16.5f, 2.3f);
  outlined(img, unite(unite(palm, fingers), thumb), skin());
  outlined(img, roundedBox(16.5f, 30.5f, 6.5f, 2.5f, 1), blue());
}

void pressingHand(Raster& img) {
  const Sdf hand = unite(unite(roundedBox(15, 22, 7, 6, 3.5f), capsule(kTouchHotX, kTouchHotY + 2.3f, kTouchHotX, 17, 2.3f)),
                         unite(capsule(8, 19, 10, 23.5f, 2.2f), unite(circle(15.5f, 16.8f, 2.3f), unite(circle(19.4f, 17.5f, 2.2f), circle(22.3f, 19.5f, 1.9f)))));
  outlined(img, hand, skin());
  img.fill(stroke(capsule(15.5f, 17, 15.5f, 19.8f, 0), 1.0f), outline());
  img.fill(stroke(capsule(19.4f, 17.8f, 19.4f, 20.4f, 0), 1.0f), outline());
  outlined(img, roundedBox(15.5f, 30.5f, 6.5f, 2.5f, 1), blue());
}

}  // namespace

const std::vector<CursorSpec>& cursorSpecs() {
  static const std::vector<CursorSpec> specs = {
      {CursorKind::FeedUp, 163, "CursorFeedUp.png", kFeedHotX, kFeedHotY},
      {CursorKind::FeedDown, 164, "CursorFeedDown.png", kFeedHotX, kFeedHotY},
      {CursorKind::TouchUp, 158, "CursorTouchUp.png", kTouchHotX, kTouchHotY},
      {CursorKind::TouchDown, 159, "CursorTouchDown.png", kTouchHotX, kTouchHotY},
      {CursorKind::ZoomInUp, 167, "CursorZoomInUp.png", kLensX, kLensY},
      {CursorKind::ZoomInDown, 177, "CursorZoomInDown.png", kLensX, kLensY},
      {CursorKind::ZoomOutUp, 169, "CursorZoomOutUp.png", kLensX, kLensY},
      {CursorKind::ZoomOutDown, 178, "CursorZoomOutDown.png", kLensX, kLensY},
  };
  return specs;
}

Raster paintCursor(CursorKind kind) {
  Raster img(kCursorSize, kCursorSize);
  constexpr float kLensUp = 9.5f, kLensDown = 8.5f, kPressedShade = 0.18f;
  switch (kind) {
    case CursorKind::FeedUp: feedingHand(img, false); break;
    case CursorKind::FeedDown: feedingHand(img, true); break;
    case CursorKind::TouchUp: openHand(img); break;
    case CursorKind::TouchDown: pressingHand(img); break;
    case CursorKind::ZoomInUp: drawMagnifier(img, kLensX + 0.5f, kLensY + 0.5f, kLensUp, 29, 29, +1); break;
    case CursorKind::ZoomInDown:
      drawMagnifier(img, kLensX + 0.5f, kLensY + 0.5f, kLensDown, 27, 27, +1, kPressedShade);
      break;
    case CursorKind::ZoomOutUp: drawMagnifier(img, kLensX + 0.5f, kLensY + 0.5f, kLensUp, 29, 29, -1); break;
    case CursorKind::ZoomOutDown:
      drawMagnifier(img, kLensX + 0.5f, kLensY + 0.5f, kLensDown, 27, 27, -1, kPressedShade);
      break;
  }
  return img;
}

}  // namespace art
