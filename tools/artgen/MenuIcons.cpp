#include "MenuIcons.h"

#include <cmath>

#include "Palette.h"

namespace art {
namespace {

using namespace shape;
using namespace palette;

void feed(Raster& img) {
  // a jar of flakes with a few falling beside it
  outlined(img, roundedBox(10, 15, 6, 7, 2.2f), linear(4, 0, blue(), 16, 0, scaled(blue(), 0.8f)));
  outlined(img, roundedBox(10, 6.5f, 7, 2, 1), orange());
  img.fill(roundedBox(10, 15, 4, 2.3f, 0.8f), white());
  img.fill(circle(10, 15, 1.3f), orange());
  const float flakes[][2] = {{19.5f, 9.5f}, {21, 15}, {18.5f, 20.5f}};
  for (const auto& f : flakes)
    outlined(img, rotatedEllipse(f[0], f[1], 1.7f, 1.2f, 0.6f), yellow(), 1.2f);
}

void touch(Raster& img) {
  // a pointing hand, index finger up
  const Sdf hand = unite(unite(roundedBox(13, 17.5f, 6, 5, 3), capsule(10.5f, 4.5f, 10.5f, 14, 2.1f)),
                         unite(capsule(6.5f, 14, 8.5f, 18, 2), unite(circle(14.2f, 13, 2), unite(circle(17.4f, 13.6f, 1.9f), circle(19.6f, 15.4f, 1.6f)))));
  outlined(img, hand, skin());
  img.fill(stroke(capsule(14.2f, 13, 14.2f, 15.5f, 0), 1.0f), outline());
  img.fill(stroke(capsule(17.4f, 13.8f, 17.4f, 15.8f, 0), 1.0f), outline());
}

void fishWithBadges(Raster& img) {
  const Sdf fish = unite(ellipse(10, 9, 7, 4.3f), polygon({{15, 9}, {21, 4}, {21, 14}}));
  outlined(img, fish, linear(0, 5, orange(), 0, 13, rgb(255, 186, 110)));
  img.fill(circle(6.5f, 8.2f, 1.1f), outline());
  // green plus and red minus badges
  outlined(img, circle(6, 19, 4), green());
  img.fill(roundedBox(6, 19, 2.5f, 0.7f, 0.5f), white());
  img.fill(roundedBox(6, 19, 0.7f, 2.5f, 0.5f), white());
  outlined(img, circle(18, 19, 4), red());
  img.fill(roundedBox(18, 19, 2.5f, 0.7f, 0.5f), white());
}

void music(Raster& img) {
  const Sdf note = unite(unite(rotatedEllipse(6.8f, 18.5f, 3.2f, 2.3f, -0.4f), rotatedEllipse(16.8f, 16.5f, 3.2f, 2.3f, -0.4f)),
                         unite(unite(capsule(9.3f, 17.5f, 9.3f, 5.5f, 0.9f), capsule(19.3f, 15.5f, 19.3f, 3.5f, 0.9f)),
                               polygon({{8.4f, 4.8f}, {20.2f, 2.6f}, {20.2f, 5.8f}, {8.4f, 8.0f}})));
  outlined(img, note, linear(0, 3, purple(), 0, 21, scaled(purple(), 0.8f)));
}

void picture(Raster& img) {
  outlined(img, roundedBox(12, 12, 10, 8.5f, 1.5f), wood());
  const Sdf inner = roundedBox(12, 12, 6.8f, 5.3f, 0.5f);
  img.fill(grow(inner, 0.8f), outline());
  img.fill(inner, linear(0, 7, sky(), 0, 17, white()));
  img.fill(intersect(inner, ellipse(9, 18.5f, 8, 4.5f)), green());
  img.fill(intersect(inner, ellipse(17, 19, 6, 3.5f)), scaled(green(), 0.8f));
  img.fill(circle(15.5f, 9.5f, 1.7f), yellow());
}

void exitDoor(Raster& img) {
  outlined(img, roundedBox(8.5f, 12, 5.5f, 9, 1), linear(3, 0, wood(), 14, 0, scaled(wood(), 0.8f)));
  img.fill(circle(11.3f, 12.5f, 1.0f), outline());
  const Sdf arrow = unite(roundedBox(15.5f, 12, 4, 1.9f, 0.6f), polygon({{17.5f, 6.5f}, {23, 12}, {17.5f, 17.5f}}));
  outlined(img, arrow, red());
}

}  // namespace

void drawMagnifier(Raster& img, float cx, float cy, float r, float handleX, float handleY, int sign,
                   float darken) {
  const float dx = handleX - cx, dy = handleY - cy;
  const float len = std::hypot(dx, dy);
  const float hx = cx + dx / len * (r + 0.5f), hy = cy + dy / len * (r + 0.5f);
  outlined(img, capsule(hx, hy, handleX, handleY, r * 0.3f), scaled(wood(), 1.0f - darken));
  outlined(img, circle(cx, cy, r), scaled(blue(), 1.0f - darken));
  const Rgba lens = scaled(glass(), 1.0f - darken);
  img.fill(grow(circle(cx, cy, r * 0.72f), kOutlineWidth * 0.7f), outline());
  img.fill(circle(cx, cy, r * 0.72f),
           radial(cx - r * 0.3f, cy - r * 0.3f, r * 1.1f, withAlpha(white(), 0.95f), withAlpha(lens, 0.8f)));
  const float arm = r * 0.45f, thick = std::max(0.8f, r * 0.11f);
  img.fill(roundedBox(cx, cy, arm, thick, thick * 0.6f), outline());
  if (sign > 0) img.fill(roundedBox(cx, cy, thick, arm, thick * 0.6f), outline());
}

const std::vector<MenuIconSpec>& menuIconSpecs() {
  static const std::vector<MenuIconSpec> specs = {
      {MenuIcon::Feed, 133, "MenuFeed.png"},       {MenuIcon::Touch, 160, "MenuTouch.png"},
      {MenuIcon::ZoomIn, 134, "MenuZoomIn.png"},   {MenuIcon::ZoomOut, 135, "MenuZoomOut.png"},
      {MenuIcon::Fish, 180, "MenuFish.png"},       {MenuIcon::Music, 253, "MenuMusic.png"},
      {MenuIcon::Picture, 232, "MenuPicture.png"}, {MenuIcon::Exit, 175, "MenuExit.png"},
  };
  return specs;
}

Raster paintMenuIcon(MenuIcon kind) {
  Raster img(kMenuIconSize, kMenuIconSize);
  switch (kind) {
    case MenuIcon::Feed: feed(img); break;
    case MenuIcon::Touch: touch(img); break;
    case MenuIcon::ZoomIn: drawMagnifier(img, 10, 10, 7.5f, 21, 21, +1); break;
    case MenuIcon::ZoomOut: drawMagnifier(img, 10, 10, 7.5f, 21, 21, -1); break;
    case MenuIcon::Fish: fishWithBadges(img); break;
    case MenuIcon::Music: music(img); break;
    case MenuIcon::Picture: picture(img); break;
    case MenuIcon::Exit: exitDoor(img); break;
  }
  return img;
}

Raster paintLamp(bool on) {
  Raster img(kLampSize, kLampSize);
  constexpr float c = kLampSize / 2.0f;
  constexpr float r = c - 1.8f;
  if (on) img.fill(circle(c, c, c), radial(c, c, c, rgb(120, 255, 120, 0.5f), rgb(120, 255, 120, 0.0f)));
  const Rgba centre = on ? rgb(190, 255, 170) : rgb(92, 108, 96);
  const Rgba edge = on ? rgb(24, 170, 54) : rgb(34, 44, 38);
  outlined(img, circle(c, c, r), radial(c - 2, c - 2, r * 1.4f, centre, edge));
  const float hx = c - r * 0.35f, hy = c - r * 0.4f;
  img.fill(rotatedEllipse(hx, hy, r * 0.32f, r * 0.2f, -0.7f), rgb(255, 255, 255, on ? 0.85f : 0.35f));
  return img;
}

}  // namespace art
