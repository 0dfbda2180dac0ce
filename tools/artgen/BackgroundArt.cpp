#include "BackgroundArt.h"

#include <cmath>

#include "Noise.h"
#include "Shapes.h"

namespace art {
namespace {

using namespace shape;

constexpr float W = kBackgroundWidth;
constexpr float H = kBackgroundHeight;
constexpr float kSandTop = 392.0f;     // mean height of the sand line
constexpr float kFarRidge = 340.0f;    // mean height of the distant rocks
constexpr int kShaftCount = 6;
constexpr int kRockCount = 9;
constexpr int kPlantClusters = 9;

const Rgba kWaterTop = rgb(58, 138, 172);
const Rgba kWaterMid = rgb(22, 88, 134);
const Rgba kWaterDeep = rgb(10, 50, 92);
const Rgba kSandLit = rgb(214, 192, 140);
const Rgba kSandShade = rgb(150, 130, 98);

Rgba water(float x, float y) {
  const float t = y / H;
  Rgba c = t < 0.45f ? mix(kWaterTop, kWaterMid, smoothstep(0.0f, 0.45f, t))
                     : mix(kWaterMid, kWaterDeep, smoothstep(0.45f, 0.85f, t));
  const float n = fbm(x / 220.0f, y / 160.0f, 5, 3);
  return scaled(c, 0.92f + 0.16f * n);
}

// Brightness added by the soft light shafts falling from the surface.
float shafts(float x, float y) {
  Sequence seq(77);
  float sum = 0;
  for (int i = 0; i < kShaftCount; ++i) {
    const float x0 = seq.range(60.0f, W - 60.0f);
    const float slope = seq.range(0.25f, 0.45f);  // leaning to the right as it falls
    const float width = seq.range(18.0f, 46.0f) + y * 0.12f;
    const float strength = seq.range(0.10f, 0.20f);
    const float cx = x0 + slope * y;
    const float d = (x - cx) / width;
    const float flicker = 0.75f + 0.25f * valueNoise(y / 60.0f, i * 3.0f, 11);
    sum += strength * std::exp(-d * d) * flicker * std::pow(clamp01(1.0f - y / (H * 0.85f)), 1.4f);
  }
  return sum;
}

// The wavy brightness just under the surface.
float surfaceShimmer(float x, float y) {
  const float band = std::exp(-y / 26.0f);
  const float ripple = 0.5f + 0.5f * std::sin(x / 23.0f + 3.0f * fbm(x / 90.0f, y / 20.0f, 9, 2));
  return band * (0.10f + 0.12f * ripple);
}

float sandLine(float x) {
  return kSandTop - 18.0f * std::sin(x / 160.0f + 0.8f) - 10.0f * (fbm(x / 120.0f, 0.5f, 23, 3) - 0.5f) * 2.0f;
}

float farRidge(float x) {
  return kFarRidge - 46.0f * fbm(x / 180.0f, 2.5f, 41, 4) + 10.0f * std::sin(x / 97.0f);
}

Rgba sand(float x, float y) {
  const float depth = clamp01((y - sandLine(x)) / (H - kSandTop));
  Rgba c = mix(kSandLit, kSandShade, 0.25f + 0.6f * depth);
  const float ripple = std::sin(y / 4.5f + x / 90.0f + 3.0f * fbm(x / 80.0f, y / 30.0f, 3, 3));
  c = scaled(c, 0.95f + 0.05f * ripple + 0.08f * (fbm(x / 40.0f, y / 25.0f, 13, 3) - 0.5f));
  // haze near the sand line, where the floor lies far away
  return mix(c, kWaterMid, 0.45f * (1.0f - smoothstep(0.0f, 0.35f, depth)));
}

void paintRock(Raster& img, Sequence& seq) {
  const float cx = seq.range(40.0f, W - 40.0f);
  const float rx = seq.range(30.0f, 70.0f);
  const float ry = rx * seq.range(0.45f, 0.7f);
  const float base = sandLine(cx) + seq.range(22.0f, 90.0f);
  const float cy = base - ry * 0.6f;
  const uint32_t seed = static_cast<uint32_t>(cx);
  const Rgba tone = mix(rgb(112, 108, 100), rgb(96, 104, 112), seq.next());
  const Sdf body = [=](float x, float y) {
    const float wobble = 7.0f * (fbm(x / 30.0f, y / 30.0f, seed, 3) - 0.5f);
    return ellipse(cx, cy, rx, ry)(x, y) + wobble;
  };
  const Sdf flatBottom = [=](float, float y) { return y - base; };
  // soft shadow on the sand, then the lit rock
  img.fill(ellipse(cx + rx * 0.2f, base - 2.0f, rx * 1.1f, ry * 0.3f), rgb(70, 64, 54, 0.35f),
           Box{cx - rx * 1.5f, base - ry, cx + rx * 1.5f, base + ry}, 12.0f);
  img.fill(intersect(body, flatBottom),
           [=](float x, float y) {
             const float lit = clamp01(0.5f - (y - cy) / (ry * 1.3f) - (x - cx) / (rx * 4.0f));
             Rgba c = scaled(tone, 0.5f + 0.8f * lit);
             c = mix(c, rgb(96, 128, 80), 0.35f * smoothstep(0.6f, 0.9f, lit));  // moss on top
             c = scaled(c, 0.93f + 0.12f * fbm(x / 12.0f, y / 12.0f, seed + 5, 3));
             return mix(c, kWaterMid, 0.15f);
           },
           Box{cx - rx - 10, cy - ry - 10, cx + rx + 10, base + 2}, 2.0f);
}

// One swaying stem of sea grass or a kelp ribbon, drawn as a chain of tapering capsules.
void paintStem(Raster& img, float x0, float y0, float height, float lean, float width,
               const Rgba& colour, float phase, float haze) {
  constexpr int kSegments = 24;
  float px = x0, py = y0;
  for (int i = 1; i <= kSegments; ++i) {
    const float u = static_cast<float>(i) / kSegments;
    const float nx = x0 + lean * u * u * height + 10.0f * std::sin(phase + u * 4.0f) * u;
    const float ny = y0 - u * height;
    const float r = width * (1.0f - 0.75f * u);
    const Rgba c = mix(scaled(colour, 0.6f + 0.5f * u), kWaterMid, haze);
    img.fill(capsule(px, py, nx, ny, r), solid(c),
             Box{std::min(px, nx) - r, std::min(py, ny) - r, std::max(px, nx) + r, std::max(py, ny) + r},
             1.5f);
    // broad leaves along kelp ribbons
    if (width > 3.5f && i % 4 == 2) {
      const float side = (i / 4) % 2 ? 1.0f : -1.0f;
      const float lx = nx + side * width * 3.0f, ly = ny - width * 0.5f;
      const float rx = width * 3.6f, ry = width * 0.8f;
      img.fill(rotatedEllipse(lx, ly, rx, ry, side * -0.45f), solid(c), boxAround(lx, ly, rx + 2), 1.5f);
    }
    px = nx;
    py = ny;
  }
}

void paintPlantCluster(Raster& img, Sequence& seq, bool far) {
  const float x = seq.range(20.0f, W - 20.0f);
  const float base = sandLine(x) + (far ? seq.range(2.0f, 12.0f) : seq.range(40.0f, 110.0f));
  const int stems = 3 + static_cast<int>(seq.next() * 5);
  const bool kelp = seq.next() < 0.45f;
  const Rgba colour = kelp ? mix(rgb(70, 118, 52), rgb(96, 120, 44), seq.next())
                           : mix(rgb(40, 120, 86), rgb(58, 132, 70), seq.next());
  for (int i = 0; i < stems; ++i) {
    const float height = (far ? 0.55f : 1.0f) * seq.range(kelp ? 150.0f : 70.0f, kelp ? 300.0f : 150.0f);
    paintStem(img, x + seq.range(-26.0f, 26.0f), base, height, seq.range(-0.25f, 0.25f),
              (kelp ? 5.5f : 3.0f) * (far ? 0.7f : 1.0f), colour, seq.range(0.0f, 6.0f),
              far ? 0.6f : 0.22f);
  }
}

}  // namespace

Raster paintBackground() {
  Raster img(kBackgroundWidth, kBackgroundHeight);
  img.paint(
      [](float x, float y) {
        Rgba c = water(x, y);
        const float light = shafts(x, y) + surfaceShimmer(x, y);
        c = {c.r + light * 0.9f, c.g + light, c.b + light * 0.85f, 1.0f};
        if (y > farRidge(x)) c = mix(c, rgb(40, 92, 126), 0.55f);  // distant rocks in the haze
        if (y > sandLine(x)) c = sand(x, y);
        return c;
      },
      2);
  Sequence seq(2024);
  for (int i = 0; i < kPlantClusters / 2; ++i) paintPlantCluster(img, seq, true);
  for (int i = 0; i < kRockCount; ++i) paintRock(img, seq);
  for (int i = 0; i < kPlantClusters; ++i) paintPlantCluster(img, seq, false);
  // light from above lies over everything, a touch
  img.paintOver([](float x, float y) {
    return rgb(220, 240, 255, 0.5f * shafts(x, y) * (1.0f - smoothstep(kFarRidge - 40.0f, kSandTop, y)));
  }, 1);
  // keep every colour away from see-through black
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      Rgba& c = img.at(x, y);
      c.a = 1.0f;
      c.b = std::max(c.b, 1.5f / 255.0f);
    }
  return img;
}

}  // namespace art
