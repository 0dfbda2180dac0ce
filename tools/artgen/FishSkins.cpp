#include "FishSkins.h"

#include <cmath>
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

// The large fish: a counter-shaded shark, dark slate back over a pale belly.
Rgba largeFish(float s, float t) {
  const Rgba back = rgb(78, 98, 124);
  const Rgba belly = rgb(236, 236, 228);
  const float edge = 0.46f + 0.04f * std::sin(s * 9.0f) + 0.03f * (fbm(s * 8.0f, t * 4.0f, 31) - 0.5f);
  Rgba c = mix(belly, back, smoothstep(edge - 0.03f, edge + 0.03f, t));
  c = scaled(c, 1.0f - 0.12f * smoothstep(0.6f, 1.0f, t));                 // darker ridge
  c = scaled(c, 0.92f + 0.08f * fbm(s * 14.0f, t * 6.0f, 37));             // soft mottling
  if (s > 0.9f) c = mix(c, scaled(back, 0.55f), smoothstep(0.9f, 1.0f, s));  // dark tail tip
  return c;
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
