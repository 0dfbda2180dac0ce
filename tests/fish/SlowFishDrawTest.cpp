#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "HandMadeParts.h"
#include "fish/FishDraw.h"
#include "fish/SlowFishParts.h"
#include "support/OffscreenGl.h"

namespace {

struct Drive {
  int sampleArray, axis, firstRow, lastRow, indexBy;
};
struct SlowPart {
  fish::models::PartModel part;
  int yawEntry;
  int driveCount;
  Drive drives[2];
};

// A trunk whose row r lies at distance 1 + r from the model origin along x, two columns
// one unit apart vertically.
struct Trunk {
  std::vector<float> v, n, t;
  std::vector<int> strips;
  fish::models::PartModel model{};
  Trunk() {
    for (int r = 0; r < 14; ++r) {
      for (int c = 0; c < 2; ++c) {
        v.insert(v.end(), {1.0f + r, 0.0f, static_cast<float>(c)});
        n.insert(n.end(), {0, 0, 1});
        t.insert(t.end(), {0, 0});
      }
    }
    for (int k = 0; k < 13; ++k) strips.insert(strips.end(), {k, k + 1});
    model = {14, 2, v.data(), n.data(), t.data(), 13, strips.data(), 0};
  }
};

constexpr int kView = 400;
constexpr float kHalf = 40.0f;

// One frame of a slow fish over the given parts: its step, then its picture.
template <std::size_t N>
void StepAndDrawParts(fish::SlowFish& f, const SlowPart (&parts)[N], fish::SharedWaves& shared) {
  fish::SlowFishPose pose;
  fish::SlowFishStep(f, shared, pose);
  fish::SlowFishDrawParts(pose, parts);
}

}  // namespace

TEST(SlowFishDrawing, EachTrunkStripIsTurnedByItsOwnBendEntry) {
  OffscreenGl gl(kView, kView);
  glViewport(0, 0, kView, kView);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-kHalf, kHalf, -kHalf, kHalf, -kHalf, kHalf);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  Trunk trunk;
  // Size 1 so rows keep their distances; the body wave is left out (no drives).
  const SlowPart parts[1] = {{trunk.model, -1, 0, {}}};
  fish::SlowFish f;
  f.setBounds(-50, 50, 30, -30, -85, -55);
  f.size = 1.0f;
  f.z = -70;
  f.heading = f.targetHeading = f.bendFrom = 0;
  f.headingSettled = true;  // the body still falls in line: entries 10 + 5k, each -2
  for (int k = 0; k < 14; ++k) f.bendAngles[k] = 10 + 5 * k;
  f.wanderTimer = 0;
  fish::SharedWaves shared;

  std::vector<GLfloat> feedback(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D, feedback.data());
  glRenderMode(GL_FEEDBACK);
  StepAndDrawParts(f, parts, shared);
  const int values = glRenderMode(GL_RENDER);
  ASSERT_GT(values, 0);
  for (int k = 0; k < 14; ++k) ASSERT_EQ(f.bendAngles[k], 8 + 5 * k);

  // Each vertex: back to eye space, then its distance gives the row and its direction the
  // yaw, which must be the entry of one of the two strips the row belongs to.
  bool seen[13] = {};
  for (int i = 0; i < values;) {
    ASSERT_EQ(feedback[i], GL_POLYGON_TOKEN);
    const int count = static_cast<int>(feedback[i + 1]);
    for (int j = 0; j < count; ++j) {
      const float* p = &feedback[i + 2 + j * 3];
      const double xe = p[0] / kView * 2 * kHalf - kHalf;
      const double ze = kHalf * (1.0 - 2.0 * p[2]);
      const double radius = std::hypot(xe, ze);
      const int row = static_cast<int>(std::lround(radius - 1.0));
      // (R cos yaw, ., -R sin yaw) after the draw's turn to the tank's axes: head first
      // along -x at yaw 0, toward +z at yaw 90, like every fish.
      const double yaw = std::atan2(-ze, xe) * 57.29577951308232;
      bool matched = false;
      for (int k : {row - 1, row}) {
        if (k >= 0 && k < 13 && std::fabs(yaw - f.bendAngles[k]) < 0.05) {
          matched = true;
          seen[k] = true;
        }
      }
      EXPECT_TRUE(matched) << "row " << row << " yaw " << yaw;
    }
    i += 2 + count * 3;
  }
  for (int k = 0; k < 13; ++k) EXPECT_TRUE(seen[k]) << k;
}

TEST(SlowFishDrawing, AdvancesItsWavesAndTheSharedOnesAndStaysLevel) {
  OffscreenGl gl(64, 64);
  HandMadePart head(3, 5, -1, 0, 0, 0.5f);
  // The body wave lifts the head (model z); the second shared generator sways y by row.
  const SlowPart parts[2] = {{head.model, 0, 1, {{0, 2, 0, 2, 0}, {}}},
                             {head.model, 3, 1, {{2, 1, 0, 2, 1}, {}}}};
  fish::SlowFish a, b;
  for (fish::SlowFish* f : {&a, &b}) {
    f->setBounds(-50, 50, 30, -30, -85, -55);
    f->z = -70;
    f->targetPitch = 20;
  }
  fish::SharedWaves shared;
  for (int frame = 0; frame < 6; ++frame) {
    glPushMatrix();
    StepAndDrawParts(a, parts, shared);
    StepAndDrawParts(b, parts, shared);
    glPopMatrix();
  }
  // Twelve draws between them: the shared generators stepped once (after the 11th call).
  EXPECT_FLOAT_EQ(shared.generators[0].phase, fish::kSharedWavePhaseStep);
  EXPECT_FLOAT_EQ(a.bodyWave.phase, 2 * fish::kSlowBodyPhaseStep);  // every third draw
  EXPECT_FLOAT_EQ(a.pitch, 6.0f);  // follows the target by one per frame
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
