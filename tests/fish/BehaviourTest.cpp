#include <gtest/gtest.h>

#include <cmath>

#include "fish/Behaviour.h"
#include "platform/CrtRand.h"
#include "support/OffscreenGl.h"

using fish::SpeciesFish;

namespace {

SpeciesFish FishAt(float x, float y, float z, float heading) {
  SpeciesFish f;
  f.setBounds(-50, 50, 30, -30, -85, -55);
  f.x = x;
  f.y = y;
  f.z = z;
  f.heading = f.targetHeading = f.bendFrom = heading;
  f.headingSettled = f.bodyStraight = true;
  f.targetPitch = f.pitch = 0;
  f.size = 5;
  f.speed = 0.2f;
  f.updateFlags();
  f.updateAvoidanceBox();
  return f;
}

// Pellets with one dropped and drawn once, so its world position is known.
struct Food {
  OffscreenGl gl;
  fish::Pellets pellets;
  Food(float x, float y, float z) {
    pellets[0].Drop(x, y, z);
    pellets[0].Step();  // its world point is set
  }
  ~Food() {
    for (auto& p : pellets) p.Release();
  }
};

}  // namespace

TEST(FoodAngles, PelletAngleFoldsIntoAQuadrant) {
  EXPECT_FLOAT_EQ(fish::PelletAngle(0, 0), 0);
  EXPECT_FLOAT_EQ(fish::PelletAngle(0.00005f, -3), 270);
  EXPECT_FLOAT_EQ(fish::PelletAngle(0.00005f, 3), 90);
  EXPECT_FLOAT_EQ(fish::PelletAngle(4, 0.00001f), 0);
  EXPECT_FLOAT_EQ(fish::PelletAngle(-4, 0.00001f), 180);
  EXPECT_FLOAT_EQ(fish::PelletAngle(1, 1), 45);             // atan 45
  EXPECT_FLOAT_EQ(fish::PelletAngle(1, 2), 63);             // 63.43 truncated
  EXPECT_FLOAT_EQ(fish::PelletAngle(-1, 2), 27);            // 63 + 90 -> 180 - 153
  EXPECT_FLOAT_EQ(fish::PelletAngle(-1, -1), 45);           // 45 + 180 -> 270 - 225
  EXPECT_FLOAT_EQ(fish::PelletAngle(1, -2), 27);            // 63 + 270 -> 360 - 333
}

TEST(FoodAngles, TwoSlopeTurnAngleWithSteepFallbacks) {
  EXPECT_NEAR(fish::TurnAngle(0, 1), 45.0f, 1e-4);
  EXPECT_NEAR(fish::TurnAngle(1, 1), 0.0f, 1e-6);
  // Perpendicular slopes: 1 + s1*s2 = 0 uses |s2 - s1| * 10000.
  EXPECT_NEAR(fish::TurnAngle(1, -1), std::atan(20000.0) * 57.29578, 1e-3);
  // A vertical line: the slope is dy * 10000.
  EXPECT_FLOAT_EQ(fish::Slope(2, 0.00005f), 20000.0f);
  EXPECT_FLOAT_EQ(fish::Slope(2, 4), 0.5f);
  EXPECT_NEAR(fish::TurnAngle(fish::Slope(0, 1), fish::Slope(1, 0)), 90.0f, 0.01f);
}

TEST(FoodSteer, OnlyTheFeedModeSteersButFoodIsPulledAndEatenInEveryMode) {
  Food food(-8, 0.2f, -70);  // world y about 1.0 after the first draw
  const auto& pellet = food.pellets[0];
  ASSERT_TRUE(pellet.IsActive());

  SpeciesFish f = FishAt(-2, 1, -75, 0);  // heading -x, nose at x = -4.5
  const float startHeading = f.targetHeading;
  fish::feedingSteer(f, food.pellets, false);  // another mode: nothing at all
  EXPECT_FALSE(f.feeding);
  EXPECT_FLOAT_EQ(f.targetHeading, startHeading);
  EXPECT_FLOAT_EQ(f.speed, 0.2f);

  fish::feedingSteer(f, food.pellets, true);
  EXPECT_TRUE(f.feeding);
  EXPECT_FLOAT_EQ(f.speed, 0.2f);  // approached toward 0.2
  // The pellet lies ahead and behind in z: the target turns by the whole turn angle.
  const float d = fish::TurnAngle(fish::Slope(f.nose.z - f.z, f.nose.x - f.x),
                                  fish::Slope(f.z - pellet.worldZ(), f.x - pellet.worldX()));
  ASSERT_GE(d, 1.0f);
  EXPECT_FLOAT_EQ(f.targetHeading, startHeading + std::floor(d));

  // Leaving Feed mode keeps the flag as it was.
  fish::feedingSteer(f, food.pellets, false);
  EXPECT_TRUE(f.feeding);

  // Far away in every mode: no pull. Near: drifts toward the mouth by 0.005 of the gap.
  SpeciesFish far = FishAt(30, 1, -70, 0);
  const float lx = pellet.localX();
  fish::foodPull(far, food.pellets);
  EXPECT_FLOAT_EQ(pellet.localX(), lx);
  SpeciesFish near = FishAt(-5.5f + 2.5f, 1, -70, 0);  // nose 2.5 to the right of the pellet
  near.nose.x = pellet.worldX() + 3.0f;
  near.nose.y = pellet.worldY();
  near.nose.z = pellet.worldZ() + 10.0f;
  fish::foodPull(near, food.pellets);
  EXPECT_NEAR(pellet.localX() - lx, 3.0f * 0.005f, 1e-6);
  EXPECT_GT(pellet.alive(), 0.0f);  // too far in z to be eaten
  near.nose.z = pellet.worldZ() + 1.0f;
  near.nose.x = pellet.worldX() + 1.0f;
  fish::foodPull(near, food.pellets);
  EXPECT_EQ(pellet.alive(), 0.0f);
}

TEST(FoodSteer, PelletBehindTurnsTheFishAround) {
  Food food(20, 0.2f, -70);
  SpeciesFish f = FishAt(15, 1, -70.5f, 0);  // heading -x, pellet behind at +x
  fish::feedingSteer(f, food.pellets, true);
  const float d = fish::TurnAngle(fish::Slope(f.nose.z - f.z, f.nose.x - f.x),
                                  fish::Slope(f.z - food.pellets[0].worldZ(),
                                              f.x - food.pellets[0].worldX()));
  ASSERT_GE(d, 1.0f);
  // The fish heads -x and the order's sense is true, the same: T - r.
  EXPECT_FLOAT_EQ(f.targetHeading, -std::floor(180.0f - d));
}

TEST(FishAvoidance, OverlappingFishLatchClimbDiveAndPass) {
  static SpeciesFish pool[100];
  // Everybody far away except the fish moved next to fish 0.
  for (auto& f : pool) {
    f = FishAt(0, 0, -70, 0);
    f.box = {1000, 1001, 1000, 1001, 1000, 1001};
  }
  pool[0] = FishAt(0, 1, -70, 0);
  pool[5] = FishAt(1, 0, -70, 0);  // same way, ahead of fish 0 (both head for -x)
  pool[0].speed = pool[5].speed = 0.2f;
  pool[0].targetPitch = pool[5].targetPitch = 0;
  fish::avoid(pool, 0);
  EXPECT_TRUE(pool[0].avoidLatch);
  EXPECT_TRUE(pool[5].avoidLatch);
  EXPECT_FLOAT_EQ(pool[0].targetPitch, 1.0f);   // upper fish climbs
  EXPECT_FLOAT_EQ(pool[5].targetPitch, -1.0f);  // lower fish dives
  // Fish 0 heads -x and is at smaller x: it is ahead and speeds up, 5 slows down.
  EXPECT_FLOAT_EQ(pool[0].speed, 0.3f);
  EXPECT_FLOAT_EQ(pool[5].speed, 0.1f);

  // Head to head: the smaller one turns about.
  pool[5] = FishAt(1, 0, -70, 180);
  pool[0] = FishAt(0, 1, -70, 0);
  pool[0].size = 8;
  pool[5].size = 5;
  fish::avoid(pool, 0);
  EXPECT_FLOAT_EQ(pool[0].targetHeading, 0.0f);
  EXPECT_FLOAT_EQ(pool[5].targetHeading, 360.0f);  // heading +x, sense true: T + 180
  pool[0].size = 2;
  pool[0].targetHeading = pool[0].heading = 0;
  pool[5] = FishAt(1, 0, -70, 180);
  fish::avoid(pool, 0);
  EXPECT_FLOAT_EQ(pool[0].targetHeading, -180.0f);  // heading -x, sense true: T - 180
  EXPECT_FLOAT_EQ(pool[5].targetHeading, 180.0f);
}

TEST(FishAvoidance, CrossingLinesDodgeAndTheLatchClearsOnTheNextPass) {
  static SpeciesFish pool[100];
  for (auto& f : pool) {
    f = FishAt(0, 0, -70, 0);
    f.box = {1000, 1001, 1000, 1001, 1000, 1001};
  }
  pool[3] = FishAt(0, 0, -70, 0);
  pool[7] = FishAt(0.5f, 0, -69, 90);  // at right angles in x-z: o = 90 > 50
  crt::setRandState(5);
  const int r3 = crt::rand() % 10 + 10;
  const int r7 = crt::rand() % 10 + 10;
  crt::setRandState(5);
  fish::avoid(pool, 3);
  EXPECT_TRUE(pool[3].avoidLatch);
  // Fish 3 is behind in z: changeHeading(0, false, 5); its headingMinusX is true: T + r.
  EXPECT_FLOAT_EQ(pool[3].targetHeading, static_cast<float>(r3));
  // Fish 7 (heading 90 is -x too): sense true == F: T - r.
  EXPECT_FLOAT_EQ(pool[7].targetHeading, 90.0f - static_cast<float>(r7));

  pool[7].box = {1000, 1001, 1000, 1001, 1000, 1001};
  fish::avoid(pool, 3);
  EXPECT_FALSE(pool[3].avoidLatch);
  EXPECT_TRUE(pool[7].avoidLatch);  // kept until fish 7's own pass
}

namespace {

// One pellet placed so that its world position is exactly (x, y, z): dropped there, its
// random offset taken back out, and drawn once.
struct PlacedPellet {
  OffscreenGl gl;
  fish::Pellets pellets;
  tank::FoodPellet& pellet = pellets[0];
  void Place(float x, float y, float z) {
    pellet.Drop(x, y, z);
    pellet.Nudge(-pellet.localX(), 0.2f - pellet.localY(), -pellet.localZ());
    glPushMatrix();
    pellet.Step();
    glPopMatrix();
    // The move after the draw changed the offset; take it back again for the nudge checks.
    pellet.Nudge(-pellet.localX(), -pellet.localY(), -pellet.localZ());
  }
  ~PlacedPellet() {
    for (auto& p : pellets) p.Release();
  }
};

constexpr float kPX = -8.0f, kPY = -3.0f, kPZ = -70.0f;  // where the test pellet lies
constexpr float kEdge = 0.05f;                          // how far inside or outside a reach

// A fish whose mouth sits at the given offset from the pellet (x, y, z).
SpeciesFish MouthAt(float dx, float dy, float dz) {
  SpeciesFish f = FishAt(kPX + dx + 2.5f, kPY + dy, kPZ + dz, 0);
  f.nose = {kPX + dx, kPY + dy, kPZ + dz};
  return f;
}

}  // namespace

// A pellet drifts toward a mouth within 5 across and up and 15 deep, by 0.005 of the gap
// per call, and is eaten within 2 across and up and 5 deep.
TEST(FoodReach, PullStartsJustInsideFiveAcrossAndUpAndFifteenDeep) {
  PlacedPellet food;
  food.Place(kPX, kPY, kPZ);
  auto pulled = [&](float dx, float dy, float dz, float* nx, float* ny) {
    food.Place(kPX, kPY, kPZ);
    SpeciesFish f = MouthAt(dx, dy, dz);
    fish::foodPull(f, food.pellets);
    *nx = food.pellet.localX();
    *ny = food.pellet.localY();
    return *nx != 0.0f || *ny != 0.0f;
  };
  float nx, ny;
  // Across: 4.95 pulls by 4.95 * 0.005, 5.05 does not pull.
  ASSERT_TRUE(pulled(5.0f - kEdge, 0, 0, &nx, &ny));
  EXPECT_NEAR(nx, (5.0f - kEdge) * 0.005f, 1e-6);
  EXPECT_EQ(ny, 0.0f);
  EXPECT_FALSE(pulled(5.0f + kEdge, 0, 0, &nx, &ny));
  EXPECT_FALSE(pulled(-5.0f - kEdge, 0, 0, &nx, &ny));
  ASSERT_TRUE(pulled(-5.0f + kEdge, 0, 0, &nx, &ny));
  EXPECT_NEAR(nx, (-5.0f + kEdge) * 0.005f, 1e-6);
  // Up: the same reach; the pellet rises toward a mouth above it.
  ASSERT_TRUE(pulled(3.0f, 5.0f - kEdge, 0, &nx, &ny));
  EXPECT_NEAR(nx, 3.0f * 0.005f, 1e-6);
  EXPECT_NEAR(ny, (5.0f - kEdge) * 0.005f, 1e-6);
  EXPECT_FALSE(pulled(3.0f, 5.0f + kEdge, 0, &nx, &ny));
  ASSERT_TRUE(pulled(3.0f, -5.0f + kEdge, 0, &nx, &ny));
  EXPECT_NEAR(ny, (-5.0f + kEdge) * 0.005f, 1e-6);
  // Deep: 15, and the pull never moves the pellet in depth.
  ASSERT_TRUE(pulled(3.0f, 0, 15.0f - kEdge, &nx, &ny));
  EXPECT_EQ(food.pellet.localZ(), 0.0f);
  EXPECT_FALSE(pulled(3.0f, 0, 15.0f + kEdge, &nx, &ny));
  EXPECT_TRUE(pulled(3.0f, 0, -15.0f + kEdge, &nx, &ny));
  EXPECT_FALSE(pulled(3.0f, 0, -15.0f - kEdge, &nx, &ny));
  // Every pull above left the pellet uneaten.
}

TEST(FoodReach, EatenJustInsideTwoAcrossAndUpAndFiveDeep) {
  PlacedPellet food;
  auto eaten = [&](float dx, float dy, float dz) {
    food.Place(kPX, kPY, kPZ);
    SpeciesFish f = MouthAt(dx, dy, dz);
    fish::foodPull(f, food.pellets);
    EXPECT_NE(food.pellet.localX(), 0.0f) << "a pellet in eating reach is pulled too";
    return food.pellet.alive() == 0.0f;
  };
  EXPECT_TRUE(eaten(2.0f - kEdge, 0.5f, 0.5f));
  EXPECT_FALSE(eaten(2.0f + kEdge, 0.5f, 0.5f));
  EXPECT_TRUE(eaten(-2.0f + kEdge, 0.5f, 0.5f));
  EXPECT_FALSE(eaten(-2.0f - kEdge, 0.5f, 0.5f));
  EXPECT_TRUE(eaten(0.5f, 2.0f - kEdge, 0.5f));
  EXPECT_FALSE(eaten(0.5f, 2.0f + kEdge, 0.5f));
  EXPECT_FALSE(eaten(0.5f, -2.0f - kEdge, 0.5f));
  EXPECT_TRUE(eaten(0.5f, 0.5f, 5.0f - kEdge));
  EXPECT_FALSE(eaten(0.5f, 0.5f, 5.0f + kEdge));
  EXPECT_TRUE(eaten(0.5f, 0.5f, -5.0f + kEdge));
  EXPECT_FALSE(eaten(0.5f, 0.5f, -5.0f - kEdge));
}

// In Feed mode a mouth within 10 across and up turns toward the pellet and swims at 0.2;
// within 3 it slows to 0.1.
TEST(FoodReach, ChaseStartsWithinTenAndSlowsWithinThree) {
  PlacedPellet food;
  food.Place(kPX, kPY, kPZ);
  auto steer = [&](float dx, float dy, float startSpeed) {
    SpeciesFish f = MouthAt(dx, dy, 0.3f);
    f.speed = startSpeed;
    fish::feedingSteer(f, food.pellets, true);
    return f;
  };
  for (float s : {0.3f, 0.1f}) {
    SCOPED_TRACE(s);
    EXPECT_TRUE(steer(10.0f - kEdge, 0, s).feeding);
    EXPECT_FALSE(steer(10.0f + kEdge, 0, s).feeding);
    EXPECT_TRUE(steer(-10.0f + kEdge, 0, s).feeding);
    EXPECT_FALSE(steer(-10.0f - kEdge, 0, s).feeding);
    EXPECT_TRUE(steer(4.0f, 10.0f - kEdge, s).feeding);
    EXPECT_FALSE(steer(4.0f, 10.0f + kEdge, s).feeding);
    EXPECT_FALSE(steer(4.0f, -10.0f - kEdge, s).feeding);
    // Chasing: one 0.1 step toward 0.2.
    EXPECT_FLOAT_EQ(steer(5.0f, 0, s).speed, 0.2f);
    EXPECT_FLOAT_EQ(steer(10.0f + kEdge, 0, s).speed, s);
  }
  // Within 3 across and up the speed then takes a second 0.1 step, toward 0.1.
  EXPECT_FLOAT_EQ(steer(3.0f - kEdge, 0, 0.3f).speed, 0.1f);
  EXPECT_FLOAT_EQ(steer(3.0f + kEdge, 0, 0.3f).speed, 0.2f);
  EXPECT_FLOAT_EQ(steer(1.0f, 3.0f - kEdge, 0.3f).speed, 0.1f);
  EXPECT_FLOAT_EQ(steer(1.0f, 3.0f + kEdge, 0.3f).speed, 0.2f);
  EXPECT_FLOAT_EQ(steer(-3.0f + kEdge, 1.0f, 0.3f).speed, 0.1f);
}

// Below a turn angle of 1 degree the fish climbs or dives toward the pellet by its angle;
// from 1 degree on it turns by the whole degrees of the angle instead.
TEST(FoodReach, UnderOneDegreeTheFishClimbsOrDivesInsteadOfTurning) {
  PlacedPellet food;
  // The fish at x = 0 heads -x, its mouth 2.5 ahead; the pellet lies 8 ahead of the fish and
  // a little deeper, so the turn angle is atan(dz / 8).
  auto steerAt = [&](float degrees, float fishY) {
    const float dz = 8.0f * std::tan(degrees * 0.017453292f);
    food.Place(-8.0f, -3.0f, -70.0f + dz);
    SpeciesFish f = FishAt(0, fishY, -70, 0);
    f.targetPitch = 0;
    fish::feedingSteer(f, food.pellets, true);
    return f;
  };
  // Pellet at (-8, -3): angle 20 (atan 3/8) + 180 folds to 70; the clamp keeps 45.
  SpeciesFish below = steerAt(0.9f, 0.0f);  // the pellet is below the mouth: dive
  EXPECT_FLOAT_EQ(below.targetPitch, -45.0f);
  EXPECT_FLOAT_EQ(below.targetHeading, 0.0f);
  SpeciesFish above = steerAt(0.9f, -6.0f);  // the pellet is above the mouth: climb
  EXPECT_FLOAT_EQ(above.targetPitch, 45.0f);
  SpeciesFish turning = steerAt(1.5f, 0.0f);  // ahead, deeper: turn +1 (the whole degree)
  EXPECT_FLOAT_EQ(turning.targetPitch, 0.0f);
  EXPECT_FLOAT_EQ(turning.targetHeading, 1.0f);
  SpeciesFish wider = steerAt(1.1f, 0.0f);
  EXPECT_FLOAT_EQ(wider.targetPitch, 0.0f);
  EXPECT_FLOAT_EQ(wider.targetHeading, 1.0f);
}

// A pellet behind the fish turns it about by 180 less the turn angle.
TEST(FoodReach, PelletBehindTurnsByTheRestOfAHalfCircle) {
  PlacedPellet food;
  food.Place(5.0f, 0.0f, -70.0f + 5.0f * std::tan(30.0f * 0.017453292f));
  SpeciesFish f = FishAt(0, 0, -70, 0);  // heads -x, the pellet lies 5 behind at 30 degrees
  fish::feedingSteer(f, food.pellets, true);
  // sense true == headingMinusX: T - (whole part of 180 - 30).
  EXPECT_NEAR(f.targetHeading, -150.0f, 1.0f);
  EXPECT_LE(f.targetHeading, -149.0f);
}

TEST(FoodAngles, ASlopeDenominatorOfExactly00001UsesTheSteepRule) {
  EXPECT_FLOAT_EQ(fish::Slope(2, 0.0001f), 20000.0f);
  EXPECT_FLOAT_EQ(fish::Slope(2, -0.0001f), 20000.0f);
  EXPECT_NEAR(fish::Slope(2, 0.00011f), 2 / 0.00011f, 1.0f);
}

namespace {

// A pool where only fish c and i are near each other.
struct Pair {
  static SpeciesFish pool[100];
  SpeciesFish& c = pool[0];
  SpeciesFish& i = pool[1];
  Pair(SpeciesFish a, SpeciesFish b) {
    for (auto& f : pool) {
      f = FishAt(0, 0, -70, 0);
      f.box = {1000, 1001, 1000, 1001, 1000, 1001};
    }
    c = a;
    i = b;
  }
};
SpeciesFish Pair::pool[100];

}  // namespace

TEST(FishAvoidance, BoxesThatJustTouchOverlapAndAHairApartDoNot) {
  for (int axis = 0; axis < 3; ++axis) {
    SCOPED_TRACE(axis);
    for (float gap : {0.0f, 0.001f}) {
      Pair p(FishAt(0, 0, -70, 0), FishAt(0, 0, -70, 0));
      p.c.box = {0, 1, 0, 1, 0, 1};
      p.i.box = {0, 1, 0, 1, 0, 1};
      float* lo[3] = {&p.i.box.minX, &p.i.box.minY, &p.i.box.minZ};
      float* hi[3] = {&p.i.box.maxX, &p.i.box.maxY, &p.i.box.maxZ};
      *lo[axis] = 1.0f + gap;
      *hi[axis] = 2.0f;
      fish::avoid(Pair::pool, 0);
      EXPECT_EQ(p.c.avoidLatch, gap == 0.0f);
      // From the other side too.
      p.i.avoidLatch = false;
      *lo[axis] = -1.0f;
      *hi[axis] = 0.0f - gap;
      fish::avoid(Pair::pool, 0);
      EXPECT_EQ(p.c.avoidLatch, gap == 0.0f);
    }
  }
}

TEST(FishAvoidance, AtEqualHeightTheFishOnItsOwnPassDivesAndEqualSizesTurnTheOther) {
  Pair p(FishAt(0, 0, -70, 0), FishAt(0.5f, 0, -70, 180));  // head to head, same size
  fish::avoid(Pair::pool, 0);
  EXPECT_FLOAT_EQ(p.c.targetPitch, -1.0f);
  EXPECT_FLOAT_EQ(p.i.targetPitch, 1.0f);
  EXPECT_FLOAT_EQ(p.c.targetHeading, 0.0f);
  EXPECT_FLOAT_EQ(p.i.targetHeading, 360.0f);  // heads +x, sense true: T + 180
}

TEST(FishAvoidance, LinesMoreThanFiftyDegreesApartDodgeByDepth) {
  // Fish c's line is level; fish i's line climbs at the given angle in the x-y plane only.
  auto run = [](float degrees, float cz, float iz) {
    Pair p(FishAt(0, 0, cz, 0), FishAt(0.5f, -0.1f, iz, 0));
    p.i.nose = {p.i.x - 1.0f, p.i.y + std::tan(degrees * 0.017453292f), p.i.z};
    p.c.box = p.i.box = {0, 1, 0, 1, 0, 1};
    p.c.speed = p.i.speed = 0.2f;
    crt::setRandState(11);
    fish::avoid(Pair::pool, 0);
    return p;
  };
  crt::setRandState(11);
  const float r1 = static_cast<float>(crt::rand() % 10 + 10);
  const float r2 = static_cast<float>(crt::rand() % 10 + 10);
  {
    Pair p = run(49.0f, -70, -70);  // not crowded: same way, c is ahead and speeds up
    EXPECT_FLOAT_EQ(p.c.targetHeading, 0.0f);
    EXPECT_FLOAT_EQ(p.i.targetHeading, 0.0f);
    EXPECT_FLOAT_EQ(p.c.speed, 0.3f);
  }
  {
    Pair p = run(51.0f, -70, -70.5f);  // crowded; c is in front (larger z): sense true
    EXPECT_FLOAT_EQ(p.c.targetHeading, -r1);  // heads -x: sense == F takes r off
    EXPECT_FLOAT_EQ(p.i.targetHeading, r2);
    EXPECT_FLOAT_EQ(p.c.speed, 0.2f);
  }
  {
    Pair p = run(51.0f, -70.5f, -70);  // c is behind: the senses swap
    EXPECT_FLOAT_EQ(p.c.targetHeading, r1);
    EXPECT_FLOAT_EQ(p.i.targetHeading, -r2);
  }
}

TEST(FishAvoidance, TheFishBehindPushesTheOneAheadTowardItsOwnSpeedPlusATenth) {
  // Both head -x; c is at larger x, so behind.
  Pair p(FishAt(1, 0, -70, 0), FishAt(0, 0, -70, 0));
  p.c.box = p.i.box = {0, 1, 0, 1, 0, 1};
  p.c.speed = 0.1f;
  p.i.speed = 0.25f;
  fish::avoid(Pair::pool, 0);
  EXPECT_FLOAT_EQ(p.i.speed, 0.15f);  // above 0.1 + 0.1: one step down
  EXPECT_FLOAT_EQ(p.c.speed, 0.2f);   // below 0.25 - 0.1: one step up
}
