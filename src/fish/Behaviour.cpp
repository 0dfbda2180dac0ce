#include "fish/Behaviour.h"

#include <cmath>

namespace fish {
namespace {

constexpr double kRadToDeg = 57.29577951308232;

float AbsF(float v) { return std::fabs(v); }

}  // namespace

float PelletAngle(float px, float py) {
  if (px == 0.0f && py == 0.0f) return 0.0f;
  if (AbsF(px) < kNearVertical) return py < 0.0f ? 270.0f : 90.0f;
  if (AbsF(py) < kNearVertical) return px > 0.0f ? 0.0f : 180.0f;
  int c = static_cast<int>(std::atan(AbsF(py / px)) * kRadToDeg);
  if (px > 0.0f && py < 0.0f) c += 270;
  if (px < 0.0f && py > 0.0f) c += 90;
  if (px < 0.0f && py < 0.0f) c += 180;
  if (c >= 90 && c < 180) return static_cast<float>(180 - c);
  if (c >= 180 && c < 270) return static_cast<float>(270 - c);
  if (c >= 270 && c < 360) return static_cast<float>(360 - c);
  return static_cast<float>(c);
}

float Slope(float dy, float dx) {
  return AbsF(dx) <= kNearVertical ? dy * kSteepSlope : dy / dx;
}

float TurnAngle(float s1, float s2) {
  const float denominator = 1.0f + s1 * s2;
  const float ratio =
      AbsF(denominator) <= kNearVertical ? AbsF((s2 - s1) * kSteepSlope) : AbsF((s2 - s1) / denominator);
  return static_cast<float>(std::atan(ratio) * kRadToDeg);
}

void feedingSteer(SpeciesFish& fish, Pellets& pellets, bool feedMode) {
  if (!feedMode) return;
  fish.feeding = false;
  for (tank::FoodPellet& pellet : pellets) {
    if (!pellet.IsActive()) continue;
    const float px = pellet.worldX(), py = pellet.worldY(), pz = pellet.worldZ();
    const float nx = fish.nose.x, ny = fish.nose.y, nz = fish.nose.z;
    if (AbsF(nx - px) < kSteerReach && AbsF(ny - py) < kSteerReach) {
      fish.feeding = true;
      fish.approachSpeed(0.1f, 0.2f);
      const float a = PelletAngle(px, py);
      const float s1 = Slope(nz - fish.z, nx - fish.x);
      const float s2 = Slope(fish.z - pz, fish.x - px);
      const float d = TurnAngle(s1, s2);
      if (AbsF(d) < 1.0f) {
        fish.changePitch(a, !(ny > py), kPitchBy);
      } else {
        const DirectionFlags& f = fish.flags;
        if ((f.headingMinusX && nx > px) || (f.headingPlusX && nx < px)) {
          fish.changeHeading(d, nz > pz, kHeadingBy);
        }
        if ((f.headingMinusX && nx < px) || (f.headingPlusX && nx > px)) {
          fish.changeHeading(180.0f - AbsF(d), true, kHeadingBy);
        }
      }
    }
    if (AbsF(nx - px) < kSlowReach && AbsF(ny - py) < kSlowReach) {
      fish.approachSpeed(0.1f, 0.1f);
    }
  }
}

void foodPull(SpeciesFish& fish, Pellets& pellets) {
  for (tank::FoodPellet& pellet : pellets) {
    if (!pellet.IsActive()) continue;
    const float dx = fish.nose.x - pellet.worldX();
    const float dy = fish.nose.y - pellet.worldY();
    const float dz = fish.nose.z - pellet.worldZ();
    if (AbsF(dx) < kPullReachXY && AbsF(dy) < kPullReachXY && AbsF(dz) < kPullReachZ) {
      pellet.Nudge(dx * kPullRate, dy * kPullRate, 0.0f);
      if (AbsF(dx) < kEatReachXY && AbsF(dy) < kEatReachXY && AbsF(dz) < kEatReachZ &&
          pellet.alive() > 0.0f) {
        pellet.Consume();
      }
    }
  }
}

namespace {

bool BoxesOverlap(const AvoidanceBox& a, const AvoidanceBox& b) {
  return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY &&
         a.minZ <= b.maxZ && b.minZ <= a.maxZ;
}

}  // namespace

void avoid(SpeciesFish (&pool)[kPoolSize], int c) {
  if (c < 0 || c >= kPoolSize) return;
  SpeciesFish& me = pool[c];
  me.avoidLatch = false;
  for (int i = 0; i < kPoolSize; ++i) {
    if (i == c) continue;
    SpeciesFish& other = pool[i];
    if (!BoxesOverlap(me.box, other.box)) continue;
    me.avoidLatch = true;
    other.avoidLatch = true;

    const float m = TurnAngle(Slope(me.nose.y - me.y, me.nose.x - me.x),
                              Slope(other.nose.y - other.y, other.nose.x - other.x));
    const float o = TurnAngle(Slope(me.nose.z - me.z, me.nose.x - me.x),
                              Slope(other.nose.z - other.z, other.nose.x - other.x));

    // The upper fish climbs, the lower dives.
    const bool meAbove = me.y > other.y;
    me.changePitch(0.0f, meAbove, kPitchNudge);
    other.changePitch(0.0f, !meAbove, kPitchNudge);

    const DirectionFlags& mf = me.flags;
    const DirectionFlags& of = other.flags;
    if (m > kCrowdedAngle || o > kCrowdedAngle) {
      const bool meFront = me.z > other.z;
      me.changeHeading(0.0f, meFront, kHeadingDodge);
      other.changeHeading(0.0f, !meFront, kHeadingDodge);
    } else if ((mf.targetMinusX && of.targetPlusX) || (mf.targetPlusX && of.targetMinusX)) {
      // Head to head: the smaller fish turns about.
      if (me.size < other.size) {
        me.changeHeading(0.0f, true, kHeadingTurnAbout);
      } else {
        other.changeHeading(0.0f, true, kHeadingTurnAbout);
      }
    } else {
      // Same way: the fish ahead speeds up, the one behind slows down.
      const bool meBehind = (mf.targetMinusX && me.x > other.x) ||
                            (mf.targetPlusX && me.x < other.x);
      const float mySpeed = me.speed;
      const float otherSpeed = other.speed;
      if (meBehind) {
        other.approachSpeed(0.1f, mySpeed + 0.1f);
        me.approachSpeed(0.1f, otherSpeed - 0.1f);
      } else {
        me.approachSpeed(0.1f, otherSpeed + 0.1f);
        other.approachSpeed(0.1f, mySpeed - 0.1f);
      }
    }
  }
}

}  // namespace fish
