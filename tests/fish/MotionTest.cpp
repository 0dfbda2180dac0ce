#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "fish/LargeFish.h"
#include "fish/SlowFish.h"
#include "fish/SpeciesFish.h"
#include "platform/CrtRand.h"

using fish::LargeFish;
using fish::SlowFish;
using fish::SpeciesFish;

namespace {

// A pool fish inside its usual bounds, swimming straight along `heading`.
SpeciesFish SettledFish(float heading) {
  SpeciesFish f;
  f.setBounds(-50, 50, 30, -30, -85, -55);
  f.x = 0;
  f.y = 0;
  f.z = -70;
  f.heading = f.targetHeading = f.bendFrom = heading;
  f.headingSettled = f.bodyStraight = true;
  for (int& b : f.bendAngles) b = static_cast<int>(heading);
  f.targetPitch = f.pitch = 0;
  f.updateFlags();
  return f;
}

}  // namespace

TEST(FishConstruction, DrawsItsStartValuesInFieldOrder) {
  crt::setRandState(12345);
  const int sizeDraw = crt::rand(), pitchDraw = crt::rand(), headingDraw = crt::rand(),
            timerDraw = crt::rand();
  crt::setRandState(12345);
  SpeciesFish f;
  EXPECT_EQ(f.size, sizeDraw % 10 == 0 ? 8 : 5);
  EXPECT_EQ(f.targetPitch, static_cast<float>(pitchDraw % 45));
  EXPECT_EQ(f.targetHeading, static_cast<float>(headingDraw % 180));
  EXPECT_EQ(f.wanderTimer, timerDraw % 200);
  EXPECT_FLOAT_EQ(f.speed, 0.2f);
  EXPECT_FLOAT_EQ(f.bodyWave.phaseStep, 0.7853981f);
  EXPECT_FLOAT_EQ(f.tailWave.phaseStep, 0.7853981f);
  EXPECT_FLOAT_EQ(f.pectoralWave.phaseStep, 0.52359873f);

  crt::setRandState(777);
  const int lSize = crt::rand(), lPitch = crt::rand(), lHeading = crt::rand();
  crt::setRandState(777);
  LargeFish l;
  EXPECT_EQ(l.size, lSize % 10 == 0 ? 8.0f : 20.0f);
  EXPECT_EQ(l.targetPitch, static_cast<float>(lPitch % 45));
  EXPECT_EQ(l.targetHeading, lHeading % 2 == 1 ? 180.0f : 0.0f);

  crt::setRandState(777);
  const int sPitch = crt::rand(), sHeading = crt::rand();
  crt::setRandState(777);
  SlowFish s;
  EXPECT_EQ(s.size, 8.0f);
  EXPECT_FLOAT_EQ(s.speed, 0.05f);
  EXPECT_EQ(s.targetPitch, static_cast<float>(sPitch % 45));
  EXPECT_EQ(s.targetHeading, sHeading % 2 == 1 ? 180.0f : 0.0f);
}

TEST(FishTurn, FreshFishReaches170In51FramesWithTheTailSpreadBehind) {
  SpeciesFish f;
  f.heading = 0;
  f.targetHeading = 170;
  float bend[23] = {};
  f.turnAndBend(bend, 23);
  EXPECT_FLOAT_EQ(bend[0], 0.0f);
  EXPECT_FLOAT_EQ(bend[22], -170.0f);
  EXPECT_EQ(f.bendAngles[22], -170);
  for (int frame = 2; frame <= 50; ++frame) {
    float b[23] = {};
    f.turnAndBend(b, 23);
  }
  EXPECT_FLOAT_EQ(f.heading, 160.0f);
  EXPECT_FALSE(f.headingSettled);
  float b[23] = {};
  f.turnAndBend(b, 23);
  EXPECT_FLOAT_EQ(f.heading, 170.0f);
  EXPECT_TRUE(f.headingSettled);
  // The body then falls in line with the target two degrees per call.
  for (int i = 0; i < 400 && !f.bodyStraight; ++i) {
    float c[23] = {};
    f.turnAndBend(c, 23);
  }
  EXPECT_TRUE(f.bodyStraight);
  for (int e : f.bendAngles) EXPECT_EQ(e, 170);
}

TEST(FishTurn, StepDependsOnTheTargetsMagnitudeAndFeeding) {
  SpeciesFish small;
  small.heading = 0;
  small.targetHeading = 4;  // |H| < 5: one degree per step
  for (int i = 0; i < 3; ++i) {
    float b[23] = {};
    small.turnAndBend(b, 23);
  }
  EXPECT_FLOAT_EQ(small.heading, 1.0f);

  SpeciesFish mid;
  mid.heading = 0;
  mid.targetHeading = 8;  // 5 <= |H| < 10: three degrees, unless feeding
  mid.feeding = true;
  for (int i = 0; i < 3; ++i) {
    float b[23] = {};
    mid.turnAndBend(b, 23);
  }
  EXPECT_FLOAT_EQ(mid.heading, 8.0f);
}

TEST(FishBounds, CrossingTheLeftWallReversesTheTargetAndSnapsTheBody) {
  SpeciesFish f = SettledFish(30);
  f.x = f.xMin + 0.05f;
  f.move();
  EXPECT_FLOAT_EQ(f.targetHeading, 210.0f);
  EXPECT_FLOAT_EQ(f.x, f.xMin + 2.0f);
  EXPECT_EQ(f.wallCode, fish::kWallLeft);
  float bend[23] = {};
  f.turnAndBend(bend, 23);
  EXPECT_FLOAT_EQ(f.heading, 210.0f);
  for (int c = 0; c < 23; ++c) {
    EXPECT_FLOAT_EQ(bend[c], 210.0f);
    EXPECT_EQ(f.bendAngles[c], 210);
  }

  SpeciesFish g = SettledFish(350);  // above 180: reverses by subtracting
  g.x = g.xMin - 1;
  g.move();
  EXPECT_FLOAT_EQ(g.targetHeading, 170.0f);
  EXPECT_FLOAT_EQ(g.x, g.xMin + 2.0f);
}

TEST(FishBounds, TopAndBottomFlipThePitchAndClampHeight) {
  SpeciesFish f = SettledFish(90);
  f.targetPitch = 30;
  f.y = f.yMax + 3;
  f.speed = 0.3f;
  f.move();
  EXPECT_FLOAT_EQ(f.y, f.yMax);
  EXPECT_FLOAT_EQ(f.targetPitch, -30.0f);
  EXPECT_EQ(f.wallCode, fish::kWallTop);
  EXPECT_FLOAT_EQ(f.speed, 0.2f);
  f.y = f.yMin - 1;
  f.move();
  EXPECT_FLOAT_EQ(f.y, f.yMin);
  EXPECT_FLOAT_EQ(f.targetPitch, 30.0f);
  EXPECT_EQ(f.wallCode, fish::kWallBottom);
}

TEST(FishOrders, HeadingOrdersWaitForTheTurnToFinish) {
  SpeciesFish f = SettledFish(100);
  f.heading = 100.2f;
  f.changeHeading(0, true, fish::kHeadingReverse);
  EXPECT_FLOAT_EQ(f.targetHeading, 100.0f);
  f.heading = 100.05f;
  f.changeHeading(0, true, fish::kHeadingReverse);
  EXPECT_FLOAT_EQ(f.targetHeading, 280.0f);
  // Turn-about and clamp to +-360.
  SpeciesFish g = SettledFish(300);
  g.changeHeading(0, !g.flags.headingMinusX, fish::kHeadingTurnAbout);
  EXPECT_FLOAT_EQ(g.targetHeading, 360.0f);
  // An order by amount uses the whole part of |amount|.
  SpeciesFish h = SettledFish(100);
  h.changeHeading(-12.9f, h.flags.headingMinusX, fish::kHeadingBy);
  EXPECT_FLOAT_EQ(h.targetHeading, 88.0f);
}

TEST(FishOrders, PitchOrdersStayWithinLimits) {
  SpeciesFish f;
  f.targetPitch = 20;
  f.changePitch(80, true, fish::kPitchBy);
  EXPECT_FLOAT_EQ(f.targetPitch, 20.0f);  // 20 + 80 > 90: ignored
  f.targetPitch = 5;
  f.changePitch(80, true, fish::kPitchBy);
  EXPECT_FLOAT_EQ(f.targetPitch, 45.0f);
  f.targetPitch = 44.5f;
  f.changePitch(0, true, fish::kPitchNudge);
  EXPECT_FLOAT_EQ(f.targetPitch, 45.0f);
  f.changePitch(0, false, fish::kPitchFlip);
  EXPECT_FLOAT_EQ(f.targetPitch, -45.0f);
  for (int i = 0; i < 50; ++i) {
    f.changePitch(0, false, fish::kPitchRandom);
    EXPECT_LE(std::fabs(f.targetPitch), 45.0f);
  }
}

TEST(FishOrders, SpeedAndSizeClamps) {
  SpeciesFish f;
  f.speed = 0.1f;
  f.approachSpeed(0.4f, 0.3f);
  EXPECT_FLOAT_EQ(f.speed, 0.3f);
  f.approachSpeed(0.4f, 0.0f);
  EXPECT_FLOAT_EQ(f.speed, 0.1f);
  SlowFish s;
  s.approachSpeed(0.5f, 1.0f);
  EXPECT_FLOAT_EQ(s.speed, 0.2f);
  s.approachSpeed(0.5f, 0.0f);
  EXPECT_FLOAT_EQ(s.speed, 0.05f);

  f.size = 8;
  f.zoomIn();
  EXPECT_EQ(f.size, 8);
  f.size = 3;
  f.zoomOut();
  EXPECT_EQ(f.size, 2);
  f.size = 5;
  f.zoomIn();
  EXPECT_EQ(f.size, 7);
}

TEST(FishTouch, OnlyFishInTheStartleBandTurnAway) {
  SpeciesFish f = SettledFish(100);
  f.z = -75;  // the band's middle is outside it
  f.speed = 0.1f;
  f.touch();
  EXPECT_FLOAT_EQ(f.targetHeading, 100.0f);
  EXPECT_FLOAT_EQ(f.speed, 0.3f);

  SpeciesFish g = SettledFish(100);
  g.z = -70;
  g.touch();
  EXPECT_FLOAT_EQ(g.targetHeading, 190.0f);
  SpeciesFish h = SettledFish(-100);
  h.z = -80;
  h.touch();
  EXPECT_FLOAT_EQ(h.targetHeading, -190.0f);
  SpeciesFish k = SettledFish(-200);
  k.z = -80;
  k.touch();
  EXPECT_FLOAT_EQ(k.targetHeading, -110.0f);
  SpeciesFish far = SettledFish(100);
  far.z = -95;
  far.touch();
  EXPECT_FLOAT_EQ(far.targetHeading, 100.0f);
}

TEST(FishWander, FiresAfterItsThresholdAndRetunesThePoolFishWaves) {
  SpeciesFish f = SettledFish(100);
  f.wanderTimer = 400;
  EXPECT_EQ(f.wander(), 0.0f);  // old value 400 is not above 400
  EXPECT_EQ(f.wanderTimer, 401);
  crt::setRandState(99);
  const int timerDraw = crt::rand(), speedDraw = crt::rand();
  crt::setRandState(99);
  const float target = f.wander();
  EXPECT_FLOAT_EQ(target, static_cast<float>(speedDraw % 4 + 1) * 0.1f);
  EXPECT_EQ(f.wanderTimer, timerDraw % 200);
  const float c = target >= 0.2f ? 1.5f : 1.0f;
  EXPECT_FLOAT_EQ(f.bodyWave.phaseStep, c * 0.7853981f);
  EXPECT_FLOAT_EQ(f.pectoralWave.waveNumber, 0.6283185f);
  EXPECT_FLOAT_EQ(f.pectoralWave.amplitude, c * 0.015f);
  EXPECT_FLOAT_EQ(f.pectoralWave.phaseStep, c * 0.39269906f);

  // Feeding or a set avoidance latch hold the timer still.
  f.feeding = true;
  const int before = f.wanderTimer;
  f.wander();
  EXPECT_EQ(f.wanderTimer, before);
  f.feeding = false;
  f.avoidLatch = true;
  f.wander();
  EXPECT_EQ(f.wanderTimer, before);
}

TEST(FishMove, StepsAlongHeadingAndTargetPitch) {
  SpeciesFish f = SettledFish(0);
  f.speed = 0.2f;
  f.targetPitch = 30;
  f.move();
  EXPECT_NEAR(f.x, -0.2f, 1e-6);
  EXPECT_NEAR(f.z, -70.0f, 1e-6);
  EXPECT_NEAR(f.y, 0.1f, 1e-6);
  SpeciesFish g = SettledFish(90);
  g.speed = 0.2f;
  g.move();
  EXPECT_NEAR(g.z, -69.8f, 1e-5);
  EXPECT_NEAR(g.x, 0.0f, 1e-6);
  SpeciesFish h = SettledFish(-135);
  h.speed = 0.2f;
  h.move();
  EXPECT_NEAR(h.x, 0.1414f, 1e-4);
  EXPECT_NEAR(h.z, -70.1414f, 1e-4);
}

TEST(FishAvoidanceBox, NoseLeadsAlongTheTarget) {
  SpeciesFish f = SettledFish(0);
  f.size = 5;
  f.updateAvoidanceBox();
  EXPECT_NEAR(f.nose.x, -2.5f, 1e-5);
  EXPECT_NEAR(f.tail.x, 2.5f, 1e-5);
  EXPECT_NEAR(f.box.minX, -5.0f, 1e-5);
  EXPECT_NEAR(f.box.maxX, 5.0f, 1e-5);
  // Level fish: half height = size * 0.2778 / 2 + size * 0.2778 / 4.
  EXPECT_NEAR(f.box.maxY, 5 * 0.2778f * 0.75f, 1e-5);
  EXPECT_NEAR(f.box.maxZ - f.z, 5 * 0.34605f * 0.75f, 1e-5);
}

TEST(LargeFishBounds, CrossingTheLeftWallReappearsAtTheRightInOneCaseOfFive) {
  int jumps = 0;
  const int trials = 2000;
  for (int t = 0; t < trials; ++t) {
    LargeFish f;
    f.FishMotion::setBounds(-50, 50, 30, -30, -85, -55);
    f.x = -50.05f;
    f.y = 0;
    f.z = -70;
    f.heading = f.targetHeading = f.bendFrom = 0;
    f.speed = 0.0f;  // no step of its own: only the wall's 0.1 moves it
    crt::setRandState(static_cast<std::uint32_t>(t * 7919 + 1));
    f.move();
    EXPECT_FLOAT_EQ(f.targetHeading, 180.0f);
    EXPECT_EQ(f.wallCode, fish::kWallLeft);
    if (f.x == f.xMax) {
      ++jumps;
    } else {
      EXPECT_NEAR(f.x, -50.05f + 0.1f, 1e-4);
    }
  }
  EXPECT_NEAR(static_cast<double>(jumps) / trials, 0.2, 0.03);

  SlowFish s;
  s.FishMotion::setBounds(-50, 50, 30, -30, -85, -55);
  s.x = -50.05f;
  s.z = -70;
  s.heading = s.targetHeading = 0;
  s.speed = 0.05f;
  s.move();
  EXPECT_NEAR(s.x, -50.05f - 0.05f + 0.1f, 1e-4);  // slow fish never jump across
}

TEST(FishTouch, TheStartleBandEndsJustInsideMinus60AndMinus90AndSkipsMinus75) {
  SpeciesFish f;
  const std::pair<float, bool> cases[] = {
      {-59.99f, false}, {-60.0f, false}, {-60.01f, true}, {-74.99f, true}, {-75.0f, false},
      {-75.01f, true},  {-89.99f, true}, {-90.0f, false}, {-90.01f, false}};
  for (const auto& [z, inside] : cases) {
    f.z = z;
    EXPECT_EQ(f.startleZone(), inside) << "z " << z;
  }
}

TEST(FishTouch, FlightTurnAtTheQuadrantEnds) {
  // T in (0, 180] turns +90, T in [-180, 0] turns -90.
  const std::pair<float, float> cases[] = {{180, 270}, {181, 91}, {0, -90}, {1, 91},
                                           {-180, -270}, {-181, -91}};
  for (const auto& [from, to] : cases) {
    SpeciesFish f = SettledFish(from);
    f.z = -70;
    f.touch();
    EXPECT_FLOAT_EQ(f.targetHeading, to) << "from " << from;
  }
}

TEST(FishTurn, HeadingStepIsTenFromATargetOfTenThreeFromFiveAndOneBelow) {
  // After one stepping call (every third), heading has moved by the step toward the target.
  const std::pair<float, float> cases[] = {{10, 10}, {-10, -10}, {30, 10}, {9, 3},
                                           {5, 3},   {-5, -3},   {4, 1},   {-4, -1}};
  for (const auto& [target, first] : cases) {
    SpeciesFish f;
    f.heading = 0;
    f.targetHeading = target;
    for (int i = 0; i < 3; ++i) {
      float b[23] = {};
      f.turnAndBend(b, 23);
    }
    EXPECT_FLOAT_EQ(f.heading, first) << "target " << target;
  }
  // Feeding always steps by ten.
  SpeciesFish hungry;
  hungry.heading = 0;
  hungry.targetHeading = 40;
  hungry.feeding = true;
  for (int i = 0; i < 6; ++i) {
    float b[23] = {};
    hungry.turnAndBend(b, 23);
  }
  EXPECT_FLOAT_EQ(hungry.heading, 20.0f);
}

TEST(FishTurn, AfterTheTurnTheBodyFallsInLineTwoDegreesPerCallOrTenWhileFeeding) {
  for (const bool feeding : {false, true}) {
    SCOPED_TRACE(feeding);
    SpeciesFish f = SettledFish(20);
    f.bodyStraight = false;
    f.feeding = feeding;
    for (int c = 0; c < 23; ++c) f.bendAngles[c] = c % 2 ? 5 : 31;
    float bend[23] = {};
    f.turnAndBend(bend, 23);
    const int s = feeding ? 10 : 2;
    for (int c = 0; c < 23; ++c) {
      const int expected = c % 2 ? std::min(5 + s, 20) : std::max(31 - s, 20);
      EXPECT_EQ(f.bendAngles[c], expected) << "entry " << c;
      EXPECT_FLOAT_EQ(bend[c], static_cast<float>(expected));
    }
    EXPECT_FALSE(f.bodyStraight);
  }
}

TEST(FishWander, ANewTargetSpeedIsApproachedByFiveHundredths) {
  int seen = 0;
  for (std::uint32_t seed = 1; seed < 40 && seen < 4; ++seed) {
    crt::setRandState(seed);
    crt::rand();
    const float target = static_cast<float>(crt::rand() % 4 + 1) * 0.1f;
    if (target == 0.2f) continue;
    SpeciesFish f = SettledFish(100);
    f.speed = 0.2f;
    f.wanderTimer = 401;
    crt::setRandState(seed);
    ASSERT_FLOAT_EQ(f.wander(), target);
    EXPECT_FLOAT_EQ(f.speed, target > 0.2f ? 0.25f : 0.15f) << "target " << target;
    ++seen;
  }
  EXPECT_EQ(seen, 4);
}

TEST(FishOrders, RandomClimbIsFifteenTo29AgainstTheSignAndRandomTurnUpTo169) {
  for (std::uint32_t seed : {3u, 17u, 4242u}) {
    crt::setRandState(seed);
    const int r = crt::rand() % 15 + 15;
    SpeciesFish f;
    f.targetPitch = 0;
    crt::setRandState(seed);
    f.changePitch(0, true, fish::kPitchRandom);
    EXPECT_FLOAT_EQ(f.targetPitch, static_cast<float>(r));  // not above 0: adds
    crt::setRandState(seed);
    f.targetPitch = 40;
    f.changePitch(0, true, fish::kPitchRandom);
    EXPECT_FLOAT_EQ(f.targetPitch, 40.0f - r);

    crt::setRandState(seed);
    const int h = crt::rand() % 170;
    SpeciesFish g = SettledFish(180);  // 180 is not above 180: adds
    crt::setRandState(seed);
    g.changeHeading(0, true, fish::kHeadingRandom);
    EXPECT_FLOAT_EQ(g.targetHeading, 180.0f + h);
    SpeciesFish k = SettledFish(181);
    crt::setRandState(seed);
    k.changeHeading(0, true, fish::kHeadingRandom);
    EXPECT_FLOAT_EQ(k.targetHeading, 181.0f - h);
  }
}

TEST(FishMove, AtASideWallTheFishTurnsOnTheSpotWhileMoreThan15DegreesOff) {
  for (const float off : {15.5f, 15.0f}) {
    SCOPED_TRACE(off);
    SpeciesFish f = SettledFish(0);
    f.targetHeading = 15;
    f.heading = 15 - off;
    f.targetPitch = 30;
    f.speed = 0.2f;
    f.wallCode = fish::kWallLeft;
    f.move();
    if (off > 15.0f) {
      EXPECT_FLOAT_EQ(f.y, 0.0f);
      EXPECT_EQ(f.wallCode, fish::kWallLeft);
    } else {
      EXPECT_NEAR(f.y, 0.1f, 1e-6);
      EXPECT_EQ(f.wallCode, fish::kWallNone);
    }
  }
}

TEST(FishBounds, PoolFishSlowWithinTwoOfTheBackAndFrontAndStopAtTheFront) {
  // Heading 0 keeps z still through the move.
  const std::pair<float, float> cases[] = {
      {2.0f + 0.05f, 0.2f}, {2.0f - 0.05f, 0.19f}, {28.0f - 0.05f, 0.2f}, {28.0f + 0.05f, 0.19f}};
  for (const auto& [fromBack, speed] : cases) {
    SpeciesFish f = SettledFish(0);
    f.speed = 0.2f;
    f.z = f.zMin + fromBack;  // the depth range is 30
    f.move();
    EXPECT_FLOAT_EQ(f.speed, speed) << "z " << f.z;
  }
  SpeciesFish g = SettledFish(90);  // heading +z over the front
  g.speed = 0.2f;
  g.z = g.zMax + 0.5f;
  crt::setRandState(8);
  const int r = crt::rand() % 15;
  crt::setRandState(8);
  g.move();
  EXPECT_FLOAT_EQ(g.z, g.zMax);
  EXPECT_EQ(g.wallCode, fish::kWallFront);
  EXPECT_FLOAT_EQ(g.targetHeading, 90.0f - r);  // sense true == headingMinusX (90 is -x)
}

TEST(FishBounds, TheTopBoundIsReachedAtExactlyItsHeight) {
  SpeciesFish f = SettledFish(0);
  f.targetPitch = 20;
  f.y = f.yMax;
  f.targetPitch = 0;
  f.move();
  EXPECT_EQ(f.wallCode, fish::kWallTop);
  SpeciesFish g = SettledFish(0);
  g.y = g.yMax - 0.01f;
  g.move();
  EXPECT_EQ(g.wallCode, fish::kWallNone);
  EXPECT_FLOAT_EQ(g.y, g.yMax - 0.01f);
  SpeciesFish h = SettledFish(0);
  h.y = h.yMin;
  h.move();
  EXPECT_EQ(h.wallCode, fish::kWallBottom);
  SpeciesFish k = SettledFish(0);
  k.y = k.yMin + 0.01f;
  k.move();
  EXPECT_EQ(k.wallCode, fish::kWallNone);
}

namespace {

LargeFish LargeAt(float x, float z, float heading) {
  LargeFish f;
  f.FishMotion::setBounds(-50, 50, 30, -30, -85, -55);
  f.x = x;
  f.y = 0;
  f.z = z;
  f.heading = f.targetHeading = f.bendFrom = heading;
  f.targetPitch = f.pitch = 0;
  f.speed = 0.2f;
  return f;
}

}  // namespace

TEST(LargeFishBounds, SlowWithinTenOfTheSidesAndFiveOfTheFront) {
  // Heading 90 keeps x still (it moves +z by the speed); heading 0 keeps z still.
  LargeFish a = LargeAt(-50 + 9.95f, -70, 90);
  a.move();
  EXPECT_FLOAT_EQ(a.speed, 0.19f);
  LargeFish b = LargeAt(-50 + 10.05f, -70, 90);
  b.move();
  EXPECT_FLOAT_EQ(b.speed, 0.2f);
  LargeFish c = LargeAt(50 - 9.95f, -70, 90);
  c.move();
  EXPECT_FLOAT_EQ(c.speed, 0.19f);
  LargeFish d = LargeAt(50 - 10.05f, -70, 90);
  d.move();
  EXPECT_FLOAT_EQ(d.speed, 0.2f);

  LargeFish e = LargeAt(0, -55 - 4.95f, 0);
  e.move();
  EXPECT_FLOAT_EQ(e.speed, 0.19f);
  LargeFish g = LargeAt(0, -55 - 5.05f, 0);
  g.move();
  EXPECT_FLOAT_EQ(g.speed, 0.2f);
}

TEST(LargeFishBounds, NearTheCameraTheFishIsHeldAtMinus9) {
  LargeFish f = LargeAt(0, -15, 90);
  f.move();
  EXPECT_FLOAT_EQ(f.z, -9.0f);
  LargeFish g = LargeAt(0, -8.5f, 0);
  g.move();
  EXPECT_FLOAT_EQ(g.z, -8.5f);
}

TEST(FishConstruction, OneDrawInTenMakesAPoolFishBig) {
  int big = 0, checked = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    crt::setRandState(seed);
    const int draw = crt::rand();
    crt::setRandState(seed);
    SpeciesFish f;
    EXPECT_EQ(f.size, draw % 10 == 0 ? 8 : 5) << "draw " << draw;
    big += f.size == 8 ? 1 : 0;
    ++checked;
  }
  EXPECT_GT(big, 10);
  EXPECT_LT(big, checked / 5);
}
