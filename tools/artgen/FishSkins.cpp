#include "FishSkins.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "Noise.h"

namespace art {
namespace {

using fish::bodyHalfHeight;
using fish::bodyV;
using fish::inBody;
using fish::kTailRoot;

constexpr float kPi = 3.14159265f;
constexpr int kSupersample = 4;

using SkinPaint = std::function<Rgba(float s, float t)>;

// Shared shading: a slightly darker back and head and a lighter belly, so the lit model
// reads round even where the pattern is flat.
Rgba bodyShade(Rgba c, float s, float t) {
  const float v = bodyV(s, t);
  float k = 1.0f - 0.10f * std::max(0.0f, v) + 0.08f * std::max(0.0f, -v);
  k *= 1.0f - 0.10f * (1.0f - clamp01(s / 0.18f));
  return scaled(c, k);
}

// How far a fin point lies towards the image border (0 at the body, 1 at the border).
float finOuterness(float s, float t) {
  const float dt = std::fabs(t - fish::kBodyCentreT);
  if (s >= kTailRoot) return std::max((s - kTailRoot) / (1.0f - kTailRoot), 0.0f);
  const float h = bodyHalfHeight(s);
  return clamp01((dt - h) / std::max(0.5f - h, 0.05f));
}

// A vertical band centred on s0 (curving towards the head at top and bottom).
float bandDistance(float s, float t, float s0, float bow) {
  const float dt = t - fish::kBodyCentreT;
  return std::fabs(s - (s0 + bow * dt * dt * 4.0f));
}

Rgba clownfish(float s, float t) {
  const Rgba orange = rgb(255, 112, 8);
  const Rgba white = rgb(250, 250, 246);
  const Rgba black = rgb(24, 16, 12);
  Rgba c = inBody(s, t) ? bodyShade(orange, s, t) : rgb(255, 128, 20);
  struct Band { float s0, half, bow; };
  const Band bands[] = {{0.165f, 0.036f, 0.05f}, {0.43f, 0.046f, 0.035f}, {0.735f, 0.026f, 0.0f}};
  for (const Band& b : bands) {
    const float d = bandDistance(s, t, b.s0, b.bow);
    if (d < b.half + 0.014f) c = d < b.half ? white : black;
  }
  if (!inBody(s, t)) {
    const float o = finOuterness(s, t);
    if (o > 0.86f) c = black;  // black fin margins
  }
  return c;
}

Rgba betta(float s, float t) {
  const Rgba red = rgb(200, 16, 44);
  const Rgba violet = rgb(118, 34, 190);
  const Rgba blue = rgb(70, 90, 240);
  if (inBody(s, t)) return bodyShade(mix(red, violet, smoothstep(0.35f, 0.8f, s)), s, t);
  // flowing fins: rays from the body with a violet-blue edge
  const float dt = t - fish::kBodyCentreT;
  const float angle = std::atan2(dt, s - 0.55f);
  const float rays = 0.5f + 0.5f * std::sin(angle * 14.0f);
  const float o = finOuterness(s, t);
  Rgba c = mix(rgb(190, 20, 60), violet, smoothstep(0.1f, 0.7f, o));
  c = mix(c, scaled(c, 0.8f), rays * 0.5f);
  return mix(c, blue, smoothstep(0.72f, 0.95f, o));
}

Rgba blueTang(float s, float t) {
  const Rgba blue = rgb(30, 78, 222);
  const Rgba navy = rgb(14, 16, 44);
  const Rgba yellow = rgb(255, 214, 24);
  if (s > kTailRoot - 0.04f) {
    const float dt = std::fabs(t - fish::kBodyCentreT);
    return dt > 0.42f && s > kTailRoot + 0.02f ? navy : yellow;  // yellow tail, dark lobe rims
  }
  if (!inBody(s, t)) {
    return finOuterness(s, t) > 0.7f ? navy : rgb(26, 70, 210);
  }
  const float v = bodyV(s, t);
  Rgba c = bodyShade(blue, s, t);
  // the palette mark: a dark sweep along the upper body that loops round a blue patch
  const float rise = 0.25f * smoothstep(0.1f, 0.3f, s);
  const bool upper = v > 0.05f + rise && v < 0.80f && s > 0.09f && s < 0.62f;
  const float ex = (s - 0.56f) / 0.15f, ey = (v - 0.05f) / 0.62f;
  const float ring = std::hypot(ex, ey);
  const bool loop = ring < 1.0f;
  const float ix = (s - 0.57f) / 0.08f, iy = (v - 0.08f) / 0.30f;
  const bool patch = std::hypot(ix, iy) < 1.0f;
  if ((upper || loop) && !patch) c = navy;
  return c;
}

Rgba yellowTang(float s, float t) {
  const Rgba lemon = rgb(255, 226, 28);
  if (!inBody(s, t)) return mix(rgb(255, 210, 10), rgb(255, 236, 120), finOuterness(s, t) * 0.5f);
  Rgba c = bodyShade(lemon, s, t);
  // the white spine at the tail root
  const float sx = (s - 0.715f) / 0.028f, sy = bodyV(s, t) / 0.32f;
  if (std::hypot(sx, sy) < 1.0f) c = rgb(252, 252, 240);
  return c;
}

Rgba angelfish(float s, float t) {
  const Rgba silver = rgb(214, 220, 228);
  const Rgba stripe = rgb(26, 26, 34);
  Rgba c = inBody(s, t) ? bodyShade(mix(silver, rgb(230, 214, 170), 0.25f * std::max(0.0f, bodyV(s, t))), s, t)
                        : rgb(196, 204, 214);
  struct Band { float s0, half; };
  const Band bands[] = {{0.125f, 0.020f}, {0.36f, 0.042f}, {0.61f, 0.034f}, {0.90f, 0.022f}};
  for (const Band& b : bands)
    if (bandDistance(s, t, b.s0, -0.04f) < b.half) c = stripe;
  return c;
}

Rgba neonTetra(float s, float t) {
  const Rgba back = rgb(120, 104, 66);
  const Rgba neon = rgb(24, 178, 255);
  const Rgba red = rgb(236, 22, 46);
  const Rgba belly = rgb(228, 232, 238);
  const Rgba fin = rgb(212, 216, 210);
  if (!inBody(s, t)) {
    if (s > kTailRoot) {
      const float dt = std::fabs(t - fish::kBodyCentreT);
      return mix(red, fin, smoothstep(0.06f, 0.18f, dt + (s - kTailRoot) * 0.5f));
    }
    return fin;
  }
  const float v = bodyV(s, t);
  const float stripeLo = 0.02f, stripeHi = 0.42f;
  Rgba c;
  if (v > stripeHi) {
    c = back;
  } else if (v > stripeLo && s > 0.07f && s < 0.74f) {
    c = neon;
  } else if (v <= stripeLo) {
    c = s > 0.40f ? red : belly;
  } else {
    c = back;
  }
  return bodyShade(c, s, t);
}

Rgba goldfish(float s, float t) {
  const Rgba gold = rgb(255, 138, 12);
  const Rgba pale = rgb(255, 210, 118);
  if (!inBody(s, t)) return mix(rgb(255, 158, 40), rgb(255, 222, 160), smoothstep(0.4f, 1.0f, finOuterness(s, t)));
  const float v = bodyV(s, t);
  Rgba c = mix(pale, gold, smoothstep(-0.9f, 0.1f, v));
  c = scaled(c, 0.95f + 0.08f * fbm(s * 10.0f, t * 6.0f, 61, 2));  // a soft metallic shimmer
  return bodyShade(c, s, t);
}

Rgba zebraDanio(float s, float t) {
  const Rgba gold = rgb(248, 212, 96);
  const Rgba blue = rgb(34, 58, 196);
  const float u = (t - fish::kBodyCentreT) / fish::kMaxHalfHeight;
  const float wave = std::sin((u * 3.2f + 0.5f) * kPi);
  Rgba c = wave > 0.15f ? blue : gold;
  if (s < 0.07f) c = gold;
  return inBody(s, t) ? bodyShade(c, s, t) : c;
}

Rgba discus(float s, float t) {
  const Rgba brown = rgb(156, 66, 24);
  const Rgba teal = rgb(44, 208, 204);
  const float u = (t - fish::kBodyCentreT) / std::max(bodyHalfHeight(s), 0.2f);
  const float wavy = u * 4.0f + 0.28f * std::sin(s * 30.0f + u * 2.0f);
  const bool line = std::fabs(std::sin(wavy * kPi)) < 0.42f;
  if (!inBody(s, t)) {
    const float o = finOuterness(s, t);
    if (o > 0.8f) return rgb(236, 96, 34);
    if (s > kTailRoot) return mix(brown, rgb(190, 120, 80), 0.4f);
    return line ? teal : brown;
  }
  return bodyShade(line && s > 0.06f ? teal : brown, s, t);
}

Rgba guppy(float s, float t) {
  const Rgba grey = rgb(160, 166, 174);
  Sequence seq(9);
  if (s > kTailRoot - 0.02f || (!inBody(s, t) && t > 0.5f && s > 0.4f)) {
    // colourful fan: orange to red with bold blue and black spots
    Rgba c = mix(rgb(255, 150, 20), rgb(232, 30, 60), smoothstep(0.78f, 1.0f, s));
    for (int i = 0; i < 14; ++i) {
      const float cs = seq.range(0.40f, 0.99f);
      const float ct = seq.range(0.04f, 0.96f);
      const float r = seq.range(0.035f, 0.06f);
      const float kind = seq.next();
      if (std::hypot((s - cs) * 2.0f, t - ct) < r)
        c = kind < 0.5f ? rgb(40, 90, 235) : (kind < 0.75f ? rgb(30, 26, 40) : rgb(250, 230, 60));
    }
    return c;
  }
  if (!inBody(s, t)) return rgb(196, 200, 204);
  Rgba c = grey;
  // a few colour spots on the rear body
  const Rgba spots[] = {rgb(255, 120, 20), rgb(40, 110, 240), rgb(30, 26, 40)};
  const float sp[][3] = {{0.55f, 0.1f, 0.035f}, {0.64f, -0.3f, 0.03f}, {0.49f, -0.4f, 0.028f}};
  for (int i = 0; i < 3; ++i)
    if (std::hypot(s - sp[i][0], (bodyV(s, t) - sp[i][1]) * bodyHalfHeight(s)) < sp[i][2]) c = spots[i];
  return bodyShade(c, s, t);
}

// The large fish: a grouper. The skin is its side view: s = (2.25 - x) / 4.25 from the nose
// (x = 2.25) to the tail tip (x = -2.0), t = (z + 0.87) / 1.87 in the model's units.
namespace grouper {

float X(float s) { return 2.25f - 4.25f * s; }
float Z(float t) { return -0.87f + 1.87f * t; }

// The body's outline along x, as the model generator builds it (piecewise linear here).
float Piecewise(float x, const float (*p)[2], int n) {
  if (x >= p[0][0]) return p[0][1];
  for (int i = 0; i + 1 < n; ++i)
    if (x >= p[i + 1][0]) {
      const float u = (x - p[i + 1][0]) / (p[i][0] - p[i + 1][0]);
      return lerp(p[i + 1][1], p[i][1], u);
    }
  return p[n - 1][1];
}
float HalfHeight(float x) {
  static const float p[][2] = {{2.25f, 0.0f}, {2.2f, 0.16f}, {2.05f, 0.31f}, {1.8f, 0.43f},
                               {1.3f, 0.56f}, {0.5f, 0.6f},  {-0.3f, 0.52f}, {-0.9f, 0.32f},
                               {-1.3f, 0.2f}};
  return Piecewise(x, p, 9);
}
float CentreZ(float x) {
  static const float p[][2] = {{2.25f, -0.1f}, {1.6f, -0.02f}, {0.5f, 0.0f}, {-1.3f, 0.03f}};
  return Piecewise(x, p, 4);
}

constexpr float kTailRootX = -1.3f;
const Rgba kBack = rgb(84, 70, 48);     // dark olive-brown back
const Rgba kFlank = rgb(170, 132, 86);  // warm tan flank
const Rgba kBelly = rgb(232, 218, 184); // cream belly
const Rgba kFin = rgb(112, 90, 60);
const Rgba kRay = rgb(64, 50, 34);
const Rgba kSpot = rgb(226, 204, 158);
const Rgba kInk = rgb(40, 30, 22);

// Small pale spots on a jittered grid (groupers are freckled), about one spot a cell, some
// cells left empty; `radius` in texels. 0..1 coverage.
float Spots(float s, float t, float cellS, float cellT, float radius, uint32_t seed) {
  const float gx = s / cellS, gy = t / cellT;
  const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
  float cover = 0.0f;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int cx = ix + dx, cy = iy + dy;
      if (hash01(cx, cy, seed + 2) < 0.3f) continue;
      const float px = cx + 0.15f + 0.7f * hash01(cx, cy, seed);
      const float py = cy + 0.15f + 0.7f * hash01(cx, cy, seed + 1);
      const float d = std::hypot((gx - px) * cellS * kSkinWidth, (gy - py) * cellT * kSkinHeight);
      const float r = radius * (0.7f + 0.5f * hash01(cx, cy, seed + 3));
      cover = std::max(cover, 1.0f - smoothstep(r * 0.55f, r, d));
    }
  return cover;
}

// Dark rays on a fin's membrane: `phase` counts rays (a ray at every whole number).
Rgba Rays(Rgba membrane, float phase, float width) {
  const float f = std::fabs(phase - std::round(phase));
  return mix(kRay, membrane, smoothstep(width * 0.5f, width, f));
}

Rgba Body(float s, float t) {
  const float x = X(s), z = Z(t);
  const float h = std::max(HalfHeight(x), 0.02f), zc = CentreZ(x);
  const float v = (z - zc) / h;  // -0.92 at the belly, 1 at the back
  // Counter-shading: dark back, tan flank, pale belly.
  Rgba c = mix(kFlank, kBack, smoothstep(0.05f, 0.75f, v));
  c = mix(kBelly, c, smoothstep(-0.62f, -0.15f, v));
  // Soft dark blotches and four faint saddles over the back.
  const float blot = fbm(s * 7.0f, t * 3.5f, 53);
  const float saddle = 0.5f + 0.5f * std::cos(2 * kPi * (s * 4.2f - 0.15f));
  float dark = smoothstep(0.46f, 0.6f, blot) * 0.42f + saddle * smoothstep(0.0f, 0.8f, v) * 0.22f;
  dark *= smoothstep(-0.5f, -0.1f, v);
  c = scaled(c, 1.0f - dark);
  // Scales: a fine net of darker crescents, rows offset by half a scale.
  {
    const float sx = s * 70.0f, ty = t * 38.0f;
    const float row = std::floor(ty);
    const float fx = sx + 0.5f * std::fmod(row, 2.0f);
    const float dx = fx - std::floor(fx), dy = ty - row;
    const float rim = std::hypot(dx - 0.15f, (dy - 0.5f) * 1.2f);
    c = scaled(c, 1.0f - 0.10f * smoothstep(0.5f, 0.62f, rim) * (1.0f - smoothstep(0.7f, 0.8f, rim)) *
                        smoothstep(-0.7f, -0.3f, v));
  }
  // Pale freckles over the flank and the head.
  c = mix(c, kSpot, 0.7f * Spots(s, t, 0.03f, 0.06f, 1.9f, 91) * smoothstep(-0.55f, -0.2f, v));
  // The lateral line: a pale thread arching with the back from the gill cover to the tail.
  if (x < 1.02f && x > kTailRootX) {
    const float line = zc + 0.62f * h - 0.05f * smoothstep(0.2f, -1.3f, x);
    const float d = std::fabs(z - line) / 1.87f * kSkinHeight;  // in texels
    const float dash = 0.5f + 0.5f * std::cos(s * 2 * kPi * 55.0f);
    c = mix(c, mix(rgb(236, 222, 186), kInk, 0.35f * dash), 1.0f - smoothstep(0.45f, 1.1f, d));
  }
  // The gill cover's rim: a dark bow just behind the cheek, with a pale edge in front.
  {
    const float a = clamp01((v + 0.7f) / 1.55f);
    const float rimX = 1.06f - 0.1f * std::sin(kPi * a);
    const float d = (x - rimX) / 4.25f * kSkinWidth;  // texels, + in front of the rim
    if (v > -0.75f && v < 0.9f) {
      c = mix(c, kInk, 0.8f * (1.0f - smoothstep(0.5f, 1.4f, std::fabs(d))));
      c = mix(c, kBelly, 0.35f * smoothstep(0.8f, 1.5f, d) * (1.0f - smoothstep(1.5f, 3.0f, d)));
    }
  }
  // The mouth: a dark line from the snout back to the jaw's corner, a pale lip beneath.
  if (s < 0.16f) {
    const float u = clamp01(s / 0.135f);
    const float mouthT = lerp(0.352f, 0.318f, u) + 0.012f * u * u;
    const float d = (t - mouthT) * kSkinHeight;
    const float fade = 1.0f - smoothstep(0.13f, 0.16f, s);
    c = mix(c, kInk, 0.9f * fade * (1.0f - smoothstep(0.6f, 1.3f, std::fabs(d))));
    c = mix(c, kBelly, 0.5f * fade * smoothstep(-3.0f, -1.5f, d) * (1.0f - smoothstep(-1.5f, -0.5f, d)));
  }
  return c;
}

// The dorsal and anal fins (above the back, below the belly) and the rounded tail fin: the
// body's browns on a membrane crossed by dark rays, with freckles and a darker margin.
Rgba Fins(float s, float t) {
  const float x = X(s), z = Z(t);
  Rgba c = kFin;
  float phase;
  float out;  // 0 at the fin's root, about 1 at its edge
  if (x < kTailRootX + 0.1f) {
    // Rays fan out from the tail's root.
    const float zc = CentreZ(kTailRootX);
    const float ang = std::atan2(z - zc, kTailRootX + 0.12f - x);
    phase = ang / (7.0f * kPi / 180.0f);
    out = clamp01((kTailRootX + 0.1f - x) / 0.65f);
  } else {
    const float top = CentreZ(x) + HalfHeight(x);
    const float above = z - top;
    // The rays lean back by a quarter of their height; the spiny part's spines stand wider.
    const float baseX = x - 0.25f * std::fabs(above);
    const float spacing = baseX > 0.0f && above > 0 ? 0.107f : 0.062f;
    phase = baseX / spacing;
    out = clamp01(std::fabs(above) / 0.45f);
  }
  c = Rays(c, phase, 0.22f);
  c = mix(c, kSpot, 0.55f * Spots(s, t, 0.035f, 0.07f, 1.7f, 97));
  c = scaled(c, 1.0f - 0.25f * smoothstep(0.55f, 1.0f, out));
  return c;
}

// The swatch worn by the pectoral and pelvic fins: nine rays across it, root at the bottom.
Rgba FinSwatch(float s, float t) {
  const float u = clamp01((s - kLargeFinSwatchLeft) / (kLargeFinSwatchRight - kLargeFinSwatchLeft));
  const float w = clamp01((t - kLargeFinSwatchBottom) / (kLargeFinSwatchTop - kLargeFinSwatchBottom));
  Rgba c = mix(rgb(176, 140, 92), rgb(132, 104, 70), w);  // paler at the root
  c = Rays(c, u * 9.0f, 0.24f);
  c = scaled(c, 1.0f - 0.3f * smoothstep(0.8f, 1.0f, w));  // dark margin
  return c;
}

// The eye: a gold iris around a dark pupil with a catch-light, in a dark rim.
Rgba Eye(Rgba c, float s, float t) {
  const float dx = (s - kLargeEyeS) / kLargeEyeRadiusS, dy = (t - kLargeEyeT) / kLargeEyeRadiusT;
  const float r = std::hypot(dx, dy);
  if (r > 1.15f) return c;
  if (std::hypot(dx + 0.25f, dy - 0.3f) < 0.16f) return rgb(240, 240, 236);
  if (r < 0.5f) return rgb(14, 12, 12);
  if (r < 0.8f) return mix(rgb(214, 172, 70), rgb(150, 110, 40), (r - 0.5f) / 0.3f);
  return mix(rgb(44, 34, 24), c, smoothstep(1.0f, 1.15f, r));
}

}  // namespace grouper

Rgba largeFish(float s, float t) {
  using namespace grouper;
  if (s >= kLargeFinSwatchLeft && s <= kLargeFinSwatchRight && t >= kLargeFinSwatchBottom &&
      t <= kLargeFinSwatchTop)
    return FinSwatch(s, t);
  const float x = X(s), z = Z(t);
  Rgba c;
  if (x <= kTailRootX) {
    c = Fins(s, t);
  } else {
    const float top = CentreZ(x) + HalfHeight(x), bottom = CentreZ(x) - 0.92f * HalfHeight(x);
    // Half a texel of the body's colour past its outline, so the seam between body and fins
    // takes the body's colour.
    const float margin = 1.5f / kSkinHeight * 1.87f;
    c = z > top + margin || z < bottom - margin ? Fins(s, t) : Body(s, t);
  }
  return Eye(c, s, t);
}

// The slow fish: a koi, white with a long run of red patches along the back and a few ink
// spots, so the pattern follows the trunk as it bends.
Rgba slowFish(float s, float t) {
  const Rgba white = rgb(246, 242, 234);
  const Rgba red = rgb(228, 62, 24);
  const Rgba ink = rgb(32, 30, 36);
  const float back = t - 0.5f;
  const float patch = fbm(s * 6.0f, t * 2.0f, 17) + 0.45f * back + 0.07f * std::sin(s * 17.0f);
  Rgba c = white;
  if (patch > 0.50f && s < 0.88f && t > 0.22f) c = red;
  if (s < 0.11f && t > 0.3f) c = red;  // red head cap
  const float inkSpots = fbm(s * 7.0f + 3.0f, t * 3.0f, 71, 3);
  if (inkSpots > 0.68f && s > 0.2f && s < 0.85f && t > 0.3f) c = ink;
  if (s > 0.88f) c = mix(c, rgb(250, 236, 220), smoothstep(0.88f, 0.95f, s));  // pale tail
  return scaled(c, 1.0f - 0.10f * std::max(0.0f, back * 2.0f));
}

// The eye swatch: a near-black pupil with a small catch-light, a thin bright iris ring and
// a dark rim that fills the rest of the reserved corner, so texels blended in at the disc's
// edge stay dark. `iris` tints the ring per species.
Rgba eyeSwatch(float s, float t, const Rgba& iris) {
  const float dx = (s - kEyeCentreS) / kEyeRadiusS;
  const float dy = (t - kEyeCentreT) / kEyeRadiusT;
  const float r = std::hypot(dx, dy);
  const Rgba pupil = rgb(12, 12, 18);
  const Rgba rim = rgb(30, 30, 38);
  if (std::hypot(dx + 0.32f, dy - 0.32f) < 0.17f) return rgb(238, 240, 246);  // catch-light
  if (r < 0.55f) return pupil;
  if (r < 0.78f) return mix(iris, scaled(iris, 0.7f), (r - 0.55f) / 0.23f);
  return rim;
}

Rgba irisFor(int slot) {
  switch (slot) {
    case 0: return rgb(255, 160, 60);   // clownfish: orange
    case 1: return rgb(220, 80, 110);   // betta: rose
    case 6: return rgb(255, 200, 90);   // goldfish: gold
    case 8: return rgb(236, 110, 50);   // discus: red-orange
    default: return rgb(214, 218, 210); // silver
  }
}

SkinPaint painterFor(int slot) {
  switch (slot) {
    case 0: return clownfish;
    case 1: return betta;
    case 2: return blueTang;
    case 3: return yellowTang;
    case 4: return angelfish;
    case 5: return neonTetra;
    case 6: return goldfish;
    case 7: return zebraDanio;
    case 8: return discus;
    case 9: return guppy;
    case 10: return largeFish;
    default: return slowFish;
  }
}

}  // namespace

Raster paintFishSkin(int slot) {
  const SkinPaint paint = painterFor(slot);
  const bool species = slot < kSpeciesSkinCount;
  const Rgba iris = irisFor(slot);
  Raster skin(kSkinWidth, kSkinHeight);
  skin.paint(
      [&](float x, float y) {
        const float s = x / kSkinWidth, t = 1.0f - y / kSkinHeight;
        Rgba c = species && s < kEyeSwatchRight && t > kEyeSwatchBottom ? eyeSwatch(s, t, iris)
                                                                         : paint(s, t);
        c.a = 1.0f;
        return c;
      },
      kSupersample);
  return skin;
}

fish::Outline speciesOutline(int slot) {
  using fish::Tail;
  switch (slot) {
    case 0: return {0.13f, 0.10f, 0.10f, 0.36f, Tail::Round};
    case 1: return {0.20f, 0.20f, 0.16f, 0.50f, Tail::Fan, 0.36f, 0.70f, 0.36f};
    case 2: return {0.12f, 0.12f, 0.08f, 0.42f, Tail::Forked, 0.16f, 0.72f, 0.40f};
    case 3: return {0.18f, 0.16f, 0.08f, 0.40f, Tail::Forked, 0.14f, 0.70f, 0.40f};
    case 4: return {0.20f, 0.20f, 0.18f, 0.44f, Tail::Round, 0.26f, 0.62f, 0.40f};
    case 5: return {0.12f, 0.10f, 0.08f, 0.40f, Tail::Forked};
    case 6: return {0.14f, 0.12f, 0.12f, 0.48f, Tail::Forked};
    case 7: return {0.10f, 0.09f, 0.08f, 0.40f, Tail::Forked};
    case 8: return {0.17f, 0.17f, 0.08f, 0.38f, Tail::Round, 0.12f, 0.72f, 0.36f};
    default: return {0.12f, 0.08f, 0.07f, 0.48f, Tail::Fan, 0.40f, 0.66f};
  }
}

}  // namespace art
