#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "fish/Behaviour.h"
#include "fish/FishDraw.h"
#include "fish/Population.h"
#include "platform/CrtRand.h"
#include "support/OffscreenGl.h"

namespace {

constexpr int kFrames = 5000;
// A fish still turning swims on past a wall; toward a target within 5 degrees of 0 it turns
// only one degree every third frame, an arc of up to about 50 units at top speed.
constexpr float kSideOvershoot = 60.0f;

template <class Fish>
void ExpectSane(const Fish& f, float speedMin, float speedMax, const char* what, int frame) {
  const bool finite = std::isfinite(f.x) && std::isfinite(f.y) && std::isfinite(f.z) &&
                      std::isfinite(f.heading) && std::isfinite(f.targetHeading) &&
                      std::isfinite(f.pitch) && std::isfinite(f.speed);
  ASSERT_TRUE(finite) << what << " frame " << frame;
  ASSERT_GE(f.x, f.xMin - kSideOvershoot) << what << " frame " << frame;
  ASSERT_LE(f.x, f.xMax + kSideOvershoot) << what << " frame " << frame;
  ASSERT_GE(f.z, f.zMin - kSideOvershoot) << what << " frame " << frame;
  ASSERT_LE(f.z, f.zMax + kSideOvershoot) << what << " frame " << frame;
  ASSERT_GE(f.y, f.yMin) << what << " frame " << frame;
  ASSERT_LE(f.y, f.yMax) << what << " frame " << frame;
  ASSERT_LE(std::fabs(f.targetHeading), 360.0f);
  ASSERT_LE(std::fabs(f.heading), 360.0f);
  ASSERT_LE(std::fabs(f.targetPitch), 45.0f);
  ASSERT_GE(f.speed, speedMin - 1e-6f);
  ASSERT_LE(f.speed, speedMax + 1e-6f);
}

}  // namespace

// The whole population stepped through the frame's own sequence, with food dropped now and
// then: everybody stays in the tank and every number stays finite.
TEST(SceneSmoke, AllFishSwimFiveThousandFramesInsideTheTank) {
  OffscreenGl gl(16, 16);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT_AND_BACK);  // nothing to see here: skip the rasterising
  crt::setRandState(1);
  static fish::SpeciesFish pool[fish::kPoolSize];
  static fish::LargeFish large[fish::kLargeFishCount];
  static fish::SlowFish slow[fish::kSlowFishCount];
  static fish::Pellets pellets;
  tank::TankBox box;
  box.left = -60;
  box.right = 60;
  box.top = 35;
  box.bottom = -35;
  fish::PlaceFish(pool, large, slow, box);
  const int counts[10] = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
  int reveal = 0;
  for (int frame = 0; frame < kFrames; ++frame) {
    reveal = reveal + 1 > 100 ? 100 : reveal + 1;
    if (frame % 400 == 0) {
      for (auto& p : pellets) {
        if (!p.IsActive()) {
          p.Drop(static_cast<float>(crt::rand() % 80 - 40), 5.0f, -70.0f);
          break;
        }
      }
    }
    const fish::SpeciesRanges ranges = fish::ComputeSpeciesRanges(counts);
    for (int i = 0; i <= reveal && i < ranges.shown; ++i) {
      glPushMatrix();
      glTranslatef(pool[i].x, pool[i].y, pool[i].z);
      for (int j = 0; j < 10; ++j) {
        if (!ranges.Contains(j, i)) continue;
        fish::SpeciesFishDraw(pool[i], j);
        fish::feedingSteer(pool[i], pellets, fish::kFeedMode);
        fish::foodPull(pool[i], pellets);
      }
      glPopMatrix();
      fish::feedingSteer(pool[i], pellets, fish::kFeedMode);
      fish::foodPull(pool[i], pellets);
      fish::avoid(pool, i);
    }
    for (auto& f : large) {
      glPushMatrix();
      glTranslatef(f.x, f.y, f.z);
      fish::LargeFishDraw(f, 0);
      glPopMatrix();
    }
    for (auto& f : slow) {
      glPushMatrix();
      glTranslatef(f.x, f.y, f.z);
      fish::SlowFishDraw(f);
      glPopMatrix();
    }
    for (auto& p : pellets) {
      if (!p.IsActive()) continue;
      glPushMatrix();
      p.DrawAndMove();
      glPopMatrix();
    }
    if (frame < 200) continue;  // the first steps bring fish placed outside back in
    for (int i = 0; i < 100; ++i) {
      ExpectSane(pool[i], 0.1f, 0.3f, "pool fish", frame);
      if (HasFatalFailure()) return;
    }
    for (auto& f : large) ExpectSane(f, 0.1f, 0.3f, "large fish", frame);
    for (auto& f : slow) ExpectSane(f, 0.05f, 0.2f, "slow fish", frame);
    if (HasFatalFailure()) return;
  }
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  for (auto& p : pellets) p.Release();
}
