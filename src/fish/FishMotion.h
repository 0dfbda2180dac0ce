#pragma once
#include <cmath>
#include <cstdlib>

#include "platform/CrtRand.h"

// The motion skeleton every fish kind shares: speed, climb and heading orders, the turn
// with its body bend, the random wander, the move with the bounds step and the avoidance
// box. A kind supplies its constants through `Kind`; `Fish` is the kind's own class, which
// gets a callback when the wander step draws a new speed.
namespace fish {

inline constexpr float kDegToRad = 0.017453292f;
inline constexpr double kDegToRadExact = 0.017453292519943295;

inline constexpr float kPitchLimit = 45.0f;        // targetPitch stays within +-45
inline constexpr float kPitchOrderLimit = 90.0f;   // kind-7 orders beyond +-90 are ignored
inline constexpr float kHeadingLimit = 360.0f;     // targetHeading stays within +-360
inline constexpr float kStillTurning = 0.1f;       // heading orders wait until this close
inline constexpr float kBendRestart = 0.01f;       // a target moved this far restarts the bend
inline constexpr int kHeadingStepEvery = 3;        // heading advances on every third step

// Wall codes of the bounds steps.
enum WallCode : int {
  kWallNone = 0,
  kWallLeft = 1,
  kWallRight = 2,
  kWallBack = 3,
  kWallFront = 4,
  kWallTop = 5,
  kWallBottom = 6,
};

// Orders of changePitch / changeHeading.
enum PitchOrder : int { kPitchRandom = 0, kPitchFlip = 3, kPitchNudge = 5, kPitchBy = 7 };
enum HeadingOrder : int {
  kHeadingRandom = 0,
  kHeadingReverse = 1,
  kHeadingSmallTurn = 2,
  kHeadingStartle = 4,
  kHeadingDodge = 5,
  kHeadingTurnAbout = 6,
  kHeadingBy = 7,
};

struct DirectionFlags {
  bool headingMinusX = false, headingPlusX = false;
  bool headingPlusZ = false, headingMinusZ = false;
  bool pitchUp = false, pitchDown = false;
  bool targetMinusX = false, targetPlusX = false;
  bool targetPlusZ = false, targetMinusZ = false;
  bool targetPitchUp = false, targetPitchDown = false;
};

struct Point3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct AvoidanceBox {
  float minX = 0, maxX = 0, minY = 0, maxY = 0, minZ = 0, maxZ = 0;
};

// An angle points toward -x when it lies in [0, 90], [270, 360], [-90, 0] or [-360, -270].
inline bool PointsMinusX(float a) {
  return (a >= 0.0f && a <= 90.0f) || (a >= 270.0f && a <= 360.0f) ||
         (a >= -90.0f && a <= 0.0f) || (a >= -360.0f && a <= -270.0f);
}
// An angle points toward +z when it lies in [0, 180] or [-360, -180].
inline bool PointsPlusZ(float a) {
  return (a >= 0.0f && a <= 180.0f) || (a >= -360.0f && a <= -180.0f);
}

// Integer part (truncation toward zero) as a float.
inline float Trunc(float v) { return static_cast<float>(static_cast<int>(v)); }

template <class Fish, class Kind>
class FishMotion {
 public:
  using Size = typename Kind::Size;
  static constexpr int kBendCount = Kind::kBendCount;

  virtual ~FishMotion() = default;

  float partMatrix[16] = {};
  Size size{};
  float speed = 0.2f;
  float targetPitch = 0.0f;
  float targetHeading = 0.0f;
  float pitch = 0.0f;
  bool feeding = false;
  float heading = 0.0f;
  int turnTick = 0;
  bool headingSettled = false;
  bool bodyStraight = false;
  int bendAngles[kBendCount] = {};
  float bendFrom = 0.0f;
  float x = 0.0f, y = 0.0f, z = 0.0f;
  DirectionFlags flags;
  float xMin = 0, xMax = 0, yMax = 0, yMin = 0, zMin = 0, zMax = 0;
  int wallCode = kWallNone;
  int wanderTimer = 0;
  float lengthFactor = 1.0f, widthFactor = 0.34605f, heightFactor = 0.2778f;
  Point3 nose, tail;
  AvoidanceBox box;
  bool avoidLatch = false;

  // Bounds from the tank: y bounds sit 10 below the given top and 5 above the given bottom.
  void setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg, float zMinArg,
                 float zMaxArg) {
    xMin = xMinArg;
    xMax = xMaxArg;
    yMax = yTopArg + 10.0f;
    yMin = yBottomArg + 5.0f;
    zMin = zMinArg;
    zMax = zMaxArg;
    lengthFactor = 1.0f;
    widthFactor = 0.34605f;
    heightFactor = 0.2778f;
    avoidLatch = false;
  }

  void approachSpeed(float step, float target) {
    if (speed < target) {
      speed += step;
    } else if (speed > target) {
      speed -= step;
    }
    if (speed > Kind::kSpeedMax) speed = Kind::kSpeedMax;
    if (speed < Kind::kSpeedMin) speed = Kind::kSpeedMin;
  }

  void changePitch(float amount, bool up, int kind) {
    switch (kind) {
      case kPitchRandom: {
        const float r = static_cast<float>(crt::rand() % 15 + 15);
        targetPitch = targetPitch > 0.0f ? targetPitch - r : targetPitch + r;
        break;
      }
      case kPitchFlip:
        targetPitch = -targetPitch;
        break;
      case kPitchNudge:
        targetPitch += up ? 1.0f : -1.0f;
        break;
      case kPitchBy:
        if (targetPitch + amount > kPitchOrderLimit || targetPitch - amount < -kPitchOrderLimit)
          return;
        targetPitch += up ? amount : -amount;
        break;
      default:
        break;
    }
    if (targetPitch > kPitchLimit) targetPitch = kPitchLimit;
    if (targetPitch < -kPitchLimit) targetPitch = -kPitchLimit;
  }

  void changeHeading(float amount, bool sense, int kind) {
    if (std::fabs(heading - targetHeading) > kStillTurning) return;
    float& t = targetHeading;
    const bool f = flags.headingMinusX;
    switch (kind) {
      case kHeadingRandom: {
        const float r = static_cast<float>(crt::rand() % 170);
        t = t > 180.0f ? t - r : t + r;
        break;
      }
      case kHeadingReverse:
        t = t <= 180.0f ? t + 180.0f : t - 180.0f;
        break;
      case kHeadingSmallTurn: {
        const float r = static_cast<float>(crt::rand() % Kind::kSmallTurnRange);
        t = sense == f ? t - r : t + r;
        break;
      }
      case kHeadingStartle:
        if (startleZone()) {
          if (t > 0.0f && t <= 180.0f) {
            t += 90.0f;
          } else if (t > 180.0f) {
            t -= 90.0f;
          } else if (t >= -180.0f) {
            t -= 90.0f;
          } else {
            t += 90.0f;
          }
        }
        break;
      case kHeadingDodge: {
        const float r = static_cast<float>(crt::rand() % 10 + 10);
        t = sense == f ? t - r : t + r;
        break;
      }
      case kHeadingTurnAbout:
        t = sense == f ? t - 180.0f : t + 180.0f;
        break;
      case kHeadingBy: {
        const float r = Trunc(std::fabs(amount));
        t = sense == f ? t - r : t + r;
        break;
      }
      default:
        break;
    }
    if (t > kHeadingLimit) t = kHeadingLimit;
    if (t < -kHeadingLimit) t = -kHeadingLimit;
  }

  // The depth band in which a touch startles the fish (z = -75 itself is outside).
  bool startleZone() const {
    return (z > -75.0f && z < -60.0f) || (z > -90.0f && z < -75.0f);
  }

  // Turns the head toward targetHeading and spreads the bend along the body; fills bend[0..n)
  // (entries the turn leaves alone keep the caller's values).
  void turnAndBend(float* bend, int n) {
    if (n > kBendCount) n = kBendCount;
    const float h = targetHeading;
    if (std::fabs(bendFrom - h) > kBendRestart) {
      headingSettled = false;
      bodyStraight = false;
      bendFrom = h;
    }
    const bool atSideWall = wallCode == kWallLeft || wallCode == kWallRight;
    const float absH = std::fabs(h);
    float e = absH >= 10.0f ? 10.0f : (absH >= 5.0f ? 3.0f : 1.0f);
    if (feeding) e = 10.0f;
    if (atSideWall) e = h;

    const int old = turnTick;
    turnTick = old + 1;
    if (old > kHeadingStepEvery - 2) {
      turnTick = 0;
      if (!headingSettled) {
        if (heading < h) {
          heading = heading + e < h ? heading + e : h;
        } else {
          heading = heading - e > h ? heading - e : h;
        }
        if (static_cast<int>(heading - h) == 0) headingSettled = true;
      }
    }

    if (!headingSettled) {
      const float d = n > 1 ? std::fabs(heading - h) / static_cast<float>(n - 1) : 0.0f;
      for (int c = 0; c < n; ++c) {
        if (heading < h) {
          bend[c] = heading - static_cast<float>(c) * d;
        } else if (heading > h) {
          bend[c] = heading + static_cast<float>(c) * d;
        }
        bendAngles[c] = static_cast<int>(bend[c]);
      }
      if (atSideWall) {
        for (int c = 0; c < n; ++c) {
          bend[c] = h;
          bendAngles[c] = static_cast<int>(h);
        }
        heading = h;
      }
      return;
    }

    if (!bodyStraight) {
      const int s = feeding ? 10 : 2;
      const int whole = static_cast<int>(h);
      bool changed = false;
      for (int c = 0; c < n; ++c) {
        int v = bendAngles[c];
        if (static_cast<float>(v) < h) {
          v = static_cast<float>(v + s) > h ? whole : v + s;
        }
        if (static_cast<float>(v) > h) {
          v = static_cast<float>(v - s) < h ? whole : v - s;
        }
        if (v != bendAngles[c]) changed = true;
        bendAngles[c] = v;
      }
      if (!changed) bodyStraight = true;
    }
    for (int c = 0; c < n; ++c) bend[c] = static_cast<float>(bendAngles[c]);
  }

  // Every so many steps a new target speed, and (when the fish swims straight) a new
  // heading and climb. Returns the drawn target speed, or 0 when nothing was drawn.
  float wander() {
    if (feeding || avoidLatch) return 0.0f;
    const int old = wanderTimer;
    wanderTimer = old + 1;
    if (old <= Kind::kWanderAfter) return 0.0f;
    wanderTimer = crt::rand() % Kind::kWanderResetRange;
    const float target = static_cast<float>(crt::rand() % 4 + 1) * 0.1f;
    approachSpeed(0.05f, target);
    if (std::fabs(heading - targetHeading) < 0.01f) {
      if (z > -75.0f && z < -60.0f) changeHeading(0.0f, true, kHeadingRandom);
      if (z > -90.0f && z < -75.0f) changeHeading(0.0f, false, kHeadingRandom);
      changePitch(0.0f, false, kPitchRandom);
    }
    static_cast<Fish*>(this)->onWanderSpeed(target);
    return target;
  }

  void updateFlags() {
    flags.headingMinusX = PointsMinusX(heading);
    flags.headingPlusX = !flags.headingMinusX;
    flags.headingPlusZ = PointsPlusZ(heading);
    flags.headingMinusZ = !flags.headingPlusZ;
    flags.pitchUp = pitch > 0.0f;
    flags.pitchDown = pitch < 0.0f;
    flags.targetMinusX = PointsMinusX(targetHeading);
    flags.targetPlusX = !flags.targetMinusX;
    flags.targetPlusZ = PointsPlusZ(targetHeading);
    flags.targetMinusZ = !flags.targetPlusZ;
    flags.targetPitchUp = targetPitch > 0.0f;
    flags.targetPitchDown = targetPitch < 0.0f;
  }

  // One step along heading and target pitch, then the kind's bounds step. A fish that
  // reached a side wall first turns on the spot.
  void move() {
    if (heading > 360.0f) heading = 180.0f;
    if (heading < -360.0f) heading = -180.0f;
    updateFlags();
    if (std::fabs(heading - targetHeading) > 15.0f &&
        (wallCode == kWallLeft || wallCode == kWallRight))
      return;
    const float a = heading * kDegToRad;
    const float dx = std::fabs(std::cos(a) * speed);
    const float dz = std::fabs(std::sin(a) * speed);
    if (flags.headingMinusX) {
      if (wallCode != kWallLeft) x -= dx;
    } else if (wallCode != kWallRight) {
      x += dx;
    }
    if (flags.headingPlusZ) {
      if (wallCode != kWallFront) z += dz;
    } else if (wallCode != kWallBack) {
      z -= dz;
    }
    y += std::sin(targetPitch * kDegToRad) * speed;
    if constexpr (Kind::kLargeBounds) {
      largeBoundsStep();
    } else {
      poolBoundsStep();
    }
  }

  // The pool fish's bounds: side walls reverse the target and put the fish 2 inside.
  void poolBoundsStep() {
    wallCode = kWallNone;
    if (x < xMin && flags.targetMinusX) {
      changeHeading(0.0f, false, kHeadingReverse);
      x = xMin + 2.0f;
      wallCode = kWallLeft;
    }
    if (x > xMax && flags.targetPlusX) {
      changeHeading(0.0f, false, kHeadingReverse);
      x = xMax - 2.0f;
      wallCode = kWallRight;
    }
    if (zMin + 2.0f > z) approachSpeed(0.01f, 0.1f);
    if (z < zMin && flags.targetMinusZ) {
      changeHeading(0.0f, false, kHeadingSmallTurn);
      z = zMin;
      wallCode = kWallBack;
    }
    if (zMax - 2.0f < z) approachSpeed(0.01f, 0.1f);
    if (z > zMax && flags.targetPlusZ) {
      changeHeading(0.0f, true, kHeadingSmallTurn);
      z = zMax;
      wallCode = kWallFront;
    }
    verticalBounds(0.1f);
  }

  // The large and slow fish's bounds: they slow down near the walls and turn gently.
  void largeBoundsStep() {
    const float v = Kind::kSlowDownSpeed;
    wallCode = kWallNone;
    if (xMin + 10.0f > x || xMax - 10.0f < x) approachSpeed(0.01f, v);
    if (x < xMin && flags.targetMinusX) {
      changeHeading(0.0f, false, kHeadingReverse);
      x += 0.1f;
      if constexpr (Kind::kJumpsAcross) {
        if (crt::rand() % 5 == 0) x = xMax;
      }
      wallCode = kWallLeft;
    }
    if (x > xMax && flags.targetPlusX) {
      changeHeading(0.0f, false, kHeadingReverse);
      x -= 0.1f;
      wallCode = kWallRight;
    }
    if (zMin + 2.0f > z) {
      approachSpeed(0.1f, v);
      if (flags.targetMinusZ) {
        changeHeading(0.0f, false, kHeadingSmallTurn);
        z = zMin + 2.0f;
      }
    }
    if (z > -20.0f) {
      if (z < -8.0f) {
        approachSpeed(0.1f, v);
        if (flags.targetMinusZ) changeHeading(0.0f, false, kHeadingSmallTurn);
      }
      if (z < -9.0f) z = -9.0f;
    }
    if (zMax - 5.0f < z) approachSpeed(0.01f, v);
    if (z > zMax && flags.targetPlusZ) {
      changeHeading(0.0f, true, kHeadingSmallTurn);
      wallCode = kWallFront;
    }
    verticalBounds(v);
  }

  // Nose and tail along the target direction and the box tested against other fish.
  void updateAvoidanceBox() {
    const float s = static_cast<float>(size);
    const float len = s * lengthFactor;
    const float h1 = s * heightFactor;
    const float w1 = s * widthFactor;
    const double tp = targetPitch * kDegToRadExact;
    const double th = targetHeading * kDegToRadExact;
    const float half = len / 2.0f;
    const float t = half * static_cast<float>(std::fabs(std::cos(th) * std::cos(tp)));
    const float h = half * static_cast<float>(std::fabs(std::sin(tp)));
    const float o = static_cast<float>(std::fabs(std::cos(tp))) * h1 / 2.0f;
    const float r = static_cast<float>(std::fabs(std::cos(th))) * w1 / 2.0f;
    const float q = half * static_cast<float>(std::fabs(std::sin(th)));
    nose.x = flags.headingMinusX ? x - t : x + t;
    nose.y = flags.pitchUp ? y + h : y - h;
    nose.z = flags.headingMinusZ ? z - q : z + q;
    tail.x = flags.headingMinusX ? x + t : x - t;
    tail.y = flags.pitchUp ? y - h : y + h;
    tail.z = flags.headingMinusZ ? z + q : z - q;
    box.minX = x - t - half;
    box.maxX = x + t + half;
    const float halfHeight = (h > o ? h : o) + h1 / 4.0f;
    const float halfDepth = (q > r ? q : r) + w1 / 4.0f;
    box.minY = y - halfHeight;
    box.maxY = y + halfHeight;
    box.minZ = z - halfDepth;
    box.maxZ = z + halfDepth;
  }

  // The drawn pitch follows targetPitch by one degree per step.
  void followPitch() {
    if (pitch < targetPitch) pitch += 1.0f;
    if (pitch > targetPitch) pitch -= 1.0f;
  }

  // Wander hook for kinds that do nothing with a new speed.
  void onWanderSpeed(float) {}

 protected:
  FishMotion() = default;
  FishMotion(const FishMotion&) = default;
  FishMotion& operator=(const FishMotion&) = default;

 private:
  void verticalBounds(float slowDown) {
    if (y >= yMax) {
      changePitch(0.0f, false, kPitchFlip);
      y = yMax;
      wallCode = kWallTop;
      approachSpeed(0.1f, slowDown);
    }
    if (y <= yMin) {
      changePitch(0.0f, true, kPitchFlip);
      y = yMin;
      wallCode = kWallBottom;
      approachSpeed(0.1f, slowDown);
    }
  }
};

}  // namespace fish
