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
    pellets[0].DrawAndMove();
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
  fish::feedingSteer(f, food.pellets, 1035);  // Touch mode: nothing at all
  EXPECT_FALSE(f.feeding);
  EXPECT_FLOAT_EQ(f.targetHeading, startHeading);
  EXPECT_FLOAT_EQ(f.speed, 0.2f);

  fish::feedingSteer(f, food.pellets, fish::kFeedMode);
  EXPECT_TRUE(f.feeding);
  EXPECT_FLOAT_EQ(f.speed, 0.2f);  // approached toward 0.2
  // The pellet lies ahead and behind in z: the target turns by the whole turn angle.
  const float d = fish::TurnAngle(fish::Slope(f.nose.z - f.z, f.nose.x - f.x),
                                  fish::Slope(f.z - pellet.worldZ(), f.x - pellet.worldX()));
  ASSERT_GE(d, 1.0f);
  EXPECT_FLOAT_EQ(f.targetHeading, startHeading + std::floor(d));

  // Leaving Feed mode keeps the flag as it was.
  fish::feedingSteer(f, food.pellets, 1037);
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
  fish::feedingSteer(f, food.pellets, fish::kFeedMode);
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
