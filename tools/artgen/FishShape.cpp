#include "FishShape.h"

#include <algorithm>
#include <cmath>

namespace art::fish {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kNoseReach = 0.31f;  // radius of the round front profile in s

// Rises from 0 to 1 and falls back over u = 0..1, peaking early like a fin's leading edge.
float finProfile(float u) {
  if (u <= 0.0f || u >= 1.0f) return 0.0f;
  return std::sin(kPi * std::pow(u, 0.65f));
}

}  // namespace

float bodyHalfHeight(float s) {
  if (s < 0.0f || s > kTailRoot) return 0.0f;
  if (s < kTallestAt) {
    const float u = (kTallestAt - s) / kNoseReach;
    return kMaxHalfHeight * std::sqrt(std::max(0.0f, 1.0f - u * u));
  }
  const float u = (s - kTallestAt) / (kTailRoot - kTallestAt);
  return kPeduncleHalf + (kMaxHalfHeight - kPeduncleHalf) * (0.5f + 0.5f * std::cos(kPi * u));
}

float bodyV(float s, float t) {
  const float h = std::max(bodyHalfHeight(s), kPeduncleHalf);
  return (t - kBodyCentreT) / h;
}

bool inBody(float s, float t) { return std::fabs(t - kBodyCentreT) < bodyHalfHeight(s); }

float tailHalfSpread(float s) {
  const float u = std::clamp((s - kTailRoot) / (1.0f - kTailRoot), 0.0f, 1.0f);
  return kPeduncleHalf + (0.5f - kPeduncleHalf) * std::pow(u, 0.9f);
}

bool inOutline(float s, float t, const Outline& o) {
  if (s < 0.0f || s > 1.0f) return false;
  if (inBody(s, t)) return true;
  const float h = bodyHalfHeight(s);
  const float top = kBodyCentreT + h;
  const float bottom = kBodyCentreT - h;
  // dorsal fin
  if (t >= top - 0.02f && s > o.dorsalStart && s < o.dorsalEnd) {
    const float u = (s - o.dorsalStart) / (o.dorsalEnd - o.dorsalStart);
    if (t < top + o.dorsal * finProfile(u)) return true;
  }
  // anal fin, from analStart back to just before the tail root
  if (t <= bottom + 0.02f && s > o.analStart && s < kTailRoot - 0.06f) {
    const float u = (s - o.analStart) / (kTailRoot - 0.06f - o.analStart);
    if (t > bottom - o.anal * finProfile(u)) return true;
  }
  // pelvic fin, a pointed fin under the chest
  if (t <= bottom + 0.02f && s > 0.27f && s < 0.40f) {
    const float u = (s - 0.27f) / 0.13f;
    if (t > bottom - o.pelvic * finProfile(u)) return true;
  }
  // tail fin
  if (s >= kTailRoot - 0.01f) {
    const float u = std::clamp((s - kTailRoot) / (1.0f - kTailRoot), 0.0f, 1.0f);
    const float spread = kPeduncleHalf + (o.tailSpread - kPeduncleHalf) * std::pow(u, 0.8f);
    const float dt = std::fabs(t - kBodyCentreT);
    if (dt > spread) return false;
    const float q = dt / o.tailSpread;  // 0 on the middle line, 1 at the lobe tips
    float end = 1.0f;
    switch (o.tail) {
      case Tail::Forked: end = 1.0f - 0.45f * (1.0f - q) * (1.0f - q) * (1.0f - 0.2f * q); break;
      case Tail::Round: end = 1.0f - 0.25f * q * q; break;
      case Tail::Fan: end = 1.0f - 0.08f * q * q; break;
    }
    const float tailLength = 1.0f - kTailRoot;
    return (s - kTailRoot) < tailLength * end;
  }
  return false;
}

}  // namespace art::fish
