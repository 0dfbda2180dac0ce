#include "ProgramIcon.h"

#include <algorithm>
#include <cmath>

#include "Palette.h"

namespace art {
namespace {

using namespace shape;
using namespace palette;

constexpr float kDesignSize = 64.0f;  // shapes are laid out on a 64-pixel grid

}  // namespace

Raster paintProgramIcon(int size) {
  Raster img(size, size);
  const float k = size / kDesignSize;
  // outline stays readable at 16 px without turning heavy at 256 px
  const float pen = std::max(1.0f, kOutlineWidth * 1.4f * k);
  const auto at = [k](Sdf s) { return transform(std::move(s), k, 0, 0); };
  const auto ring = [&](const Sdf& s, const Paint& p) { outlined(img, at(s), p, pen); };
  const auto flat = [&](const Sdf& s, const Paint& p) { img.fill(at(s), p); };
  const auto scaledPaint = [k](Paint p) { return Paint([=](float x, float y) { return p(x / k, y / k); }); };

  // the bowl with its opening at the top
  const Sdf bowl = intersect(circle(32, 35, 27), [](float, float y) { return 9.5f - y; });
  ring(bowl, solid(rgb(226, 242, 255, 0.92f)));
  const Sdf inside = circle(32, 35, 24.5f);
  const Sdf water = intersect(inside, [](float x, float y) { return 19.5f + 1.3f * std::sin(x * 0.35f) - y; });
  flat(water, scaledPaint(linear(0, 18, rgb(120, 200, 246), 0, 58, rgb(36, 112, 200))));
  flat(intersect(inside, [](float x, float y) { return 51.5f - 1.5f * std::sin(x * 0.2f) - y; }),
       solid(rgb(242, 212, 146)));
  // a plant and two bubbles
  flat(capsule(16, 54, 14, 44, 2.2f), solid(green()));
  flat(capsule(14, 44, 17, 36, 1.7f), solid(green()));
  flat(capsule(20, 54, 22, 46, 1.8f), solid(scaled(green(), 0.85f)));
  ring(circle(44, 26, 2.4f), solid(rgb(230, 246, 255)));
  ring(circle(48.5f, 20.5f, 1.7f), solid(rgb(230, 246, 255)));
  // the fish, swimming left
  const Sdf fish = unite(unite(ellipse(29, 37, 12, 8.5f), polygon({{38, 37}, {48, 28}, {48, 46}})),
                         polygon({{24, 30}, {31, 24}, {35, 30}}));
  ring(fish, scaledPaint(linear(0, 28, rgb(255, 170, 60), 0, 46, rgb(255, 120, 30))));
  flat(intersect(ellipse(29, 37, 12, 8.5f), stroke(ellipse(34, 37, 2.0f, 9.0f), 3.0f)), solid(white()));
  flat(circle(23, 34.5f, 3.0f), solid(white()));
  flat(circle(22.3f, 34.5f, 1.6f), solid(outline()));
  flat(intersect(stroke(circle(22.0f, 37.5f, 2.8f), std::max(0.9f, 1.2f / k)),
                 [](float, float y) { return 38.8f - y; }),
       solid(outline()));
  // the rim of the opening and a glint on the glass
  ring(ellipse(32, 10, 14.5f, 2.6f), solid(rgb(214, 236, 252)));
  flat(intersect(stroke(circle(32, 35, 22.5f), 2.2f), [](float x, float y) { return std::max(x - 24.0f, y - 30.0f); }),
       solid(rgb(255, 255, 255, 0.75f)));
  return img;
}

}  // namespace art
