#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "SceneFixture.h"
#include "platform/CrtRand.h"

namespace {

constexpr int kSteps = 5000;
// A fish still turning swims on past a wall; toward a target within 5 degrees of 0 it turns
// only one degree every third step, an arc of up to about 50 units at top speed.
constexpr float kSideOvershoot = 60.0f;

template <class Fish>
void ExpectSane(const Fish& f, float speedMin, float speedMax, const char* what, int step) {
  const bool finite = std::isfinite(f.x) && std::isfinite(f.y) && std::isfinite(f.z) &&
                      std::isfinite(f.heading) && std::isfinite(f.targetHeading) &&
                      std::isfinite(f.pitch) && std::isfinite(f.speed);
  ASSERT_TRUE(finite) << what << " step " << step;
  ASSERT_GE(f.x, f.xMin - kSideOvershoot) << what << " step " << step;
  ASSERT_LE(f.x, f.xMax + kSideOvershoot) << what << " step " << step;
  ASSERT_GE(f.z, f.zMin - kSideOvershoot) << what << " step " << step;
  ASSERT_LE(f.z, f.zMax + kSideOvershoot) << what << " step " << step;
  ASSERT_GE(f.y, f.yMin) << what << " step " << step;
  ASSERT_LE(f.y, f.yMax) << what << " step " << step;
  ASSERT_LE(std::fabs(f.targetHeading), 360.0f);
  ASSERT_LE(std::fabs(f.heading), 360.0f);
  ASSERT_LE(std::fabs(f.targetPitch), 45.0f);
  ASSERT_GE(f.speed, speedMin - 1e-6f);
  ASSERT_LE(f.speed, speedMax + 1e-6f);
}

}  // namespace

// The whole tank stepped for five thousand steps without drawing, with food dropped now and
// then: everybody stays in the tank and every number stays finite.
TEST(SceneSmoke, AllFishSwimFiveThousandStepsInsideTheTank) {
  crt::setRandState(1);
  SceneFixture f(320, 180);
  f.WriteCounts(10);
  ASSERT_TRUE(f.Start());
  view::Scene& scene = *f.scene;
  for (int step = 0; step < kSteps; ++step) {
    if (step % 400 == 0) {
      const int x = 40 + crt::rand() % 240;
      scene.OnMouseMove(x, 90);
      scene.OnLeftDown(x, 90);
      scene.OnLeftUp();
    }
    scene.Step();
    if (step < 200) continue;  // the first steps bring fish placed outside back in
    for (int i = 0; i < 100; ++i) {
      ExpectSane(scene.poolFish(i), 0.1f, 0.3f, "pool fish", step);
      if (HasFatalFailure()) return;
    }
    for (int k = 0; k < 2; ++k) ExpectSane(scene.largeFish(k), 0.1f, 0.3f, "large fish", step);
    for (int k = 0; k < 2; ++k) ExpectSane(scene.slowFish(k), 0.05f, 0.2f, "slow fish", step);
    if (HasFatalFailure()) return;
  }
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
