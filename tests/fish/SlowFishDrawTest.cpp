#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "HandMadeParts.h"
#include "fish/FishDraw.h"
#include "fish/SlowFishJoints.h"
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

// A trunk whose row r lies at x = 1 + r, two columns one unit apart vertically; its joints
// are its rows, and strip 5 turns about the origin.
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
    for (int k = 0; k < 14; ++k) joints.x[k] = 1.0f + k;
    joints.anchor = 5;
  }
  fish::models::SlowJointModel joints{};
};

constexpr int kView = 400;
constexpr float kHalf = 40.0f;

// One frame of a slow fish over the given parts: its step, then its picture.
template <std::size_t N>
void StepAndDrawParts(fish::SlowFish& f, const SlowPart (&parts)[N], fish::SharedWaves& shared,
                      const fish::models::SlowJointModel& joints) {
  fish::SlowFishPose pose;
  fish::SlowFishStep(f, shared, pose);
  fish::SlowFishDrawParts(pose, parts, joints);
}

}  // namespace

TEST(SlowFishDrawing, EachTrunkStripTurnsByItsEntryAndNeighboursMeetAtTheirJoint) {
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
  StepAndDrawParts(f, parts, shared, trunk.joints);
  const int values = glRenderMode(GL_RENDER);
  ASSERT_GT(values, 0);
  for (int k = 0; k < 14; ++k) ASSERT_EQ(f.bendAngles[k], 8 + 5 * k);

  // Where the joints must be: strip 5 turned about the origin puts rows 5 and 6 on its
  // entry's ray; walking out from it, each strip (one unit long) runs from its front joint
  // along its own entry's yaw.
  const double kRad = 0.017453292519943295;
  double jx[14], jy[14];
  const double a5 = f.bendAngles[5] * kRad;
  jx[5] = 6 * std::cos(a5);
  jy[5] = 6 * std::sin(a5);
  for (int r = 6; r < 14; ++r) {
    jx[r] = jx[r - 1] + std::cos(f.bendAngles[r - 1] * kRad);
    jy[r] = jy[r - 1] + std::sin(f.bendAngles[r - 1] * kRad);
  }
  for (int r = 4; r >= 0; --r) {
    jx[r] = jx[r + 1] - std::cos(f.bendAngles[r] * kRad);
    jy[r] = jy[r + 1] - std::sin(f.bendAngles[r] * kRad);
  }
  // Every drawn vertex (back in model x, y: the draw's turn to the tank's axes sends model y
  // to -z) must sit on a joint: both strips that share a row put it at the same place, so
  // the trunk never parts however far the entries differ (here 5 degrees a strip, 60 in all).
  int seen[14] = {};
  for (int i = 0; i < values;) {
    ASSERT_EQ(feedback[i], GL_POLYGON_TOKEN);
    const int count = static_cast<int>(feedback[i + 1]);
    for (int j = 0; j < count; ++j) {
      const float* p = &feedback[i + 2 + j * 3];
      const double mx = p[0] / kView * 2 * kHalf - kHalf;
      const double my = -kHalf * (1.0 - 2.0 * p[2]);
      int nearest = 0;
      for (int r = 1; r < 14; ++r)
        if (std::hypot(mx - jx[r], my - jy[r]) < std::hypot(mx - jx[nearest], my - jy[nearest]))
          nearest = r;
      EXPECT_LT(std::hypot(mx - jx[nearest], my - jy[nearest]), 0.02)
          << "vertex at " << mx << ", " << my << " off joint " << nearest;
      ++seen[nearest];
    }
    i += 2 + count * 3;
  }
  for (int r = 0; r < 14; ++r) EXPECT_GT(seen[r], 0) << r;
}

// The chain itself, over a bend no turn reaches and beyond: every joint stays one strip from
// the next, each strip points along its own entry, and the anchor turns about the origin.
TEST(SlowFishJoints, TheChainKeepsItsLengthsAndTheAnchorTurnsAboutTheOrigin) {
  const float jointX[14] = {-1.0f, -0.85f, -0.7f, -0.55f, -0.4f, -0.25f, -0.1f,
                            0.0f,  0.15f,  0.3f,  0.45f,  0.6f,  0.75f, 0.9f};
  for (const float step : {0.0f, 13.77f, -40.0f}) {
    float bend[14];
    for (int k = 0; k < 14; ++k) bend[k] = 30.0f + step * k;
    fish::JointFrame<float> frames[14];
    fish::ChainJoints(bend, jointX, 14, 7, 8.0f, frames);
    EXPECT_FLOAT_EQ(frames[7].tx, 0.0f);
    EXPECT_FLOAT_EQ(frames[7].ty, 0.0f);
    // Joint k in the tank is frame k applied to its rest joint; it must equal frame k - 1
    // applied to the same rest joint (the end of strip k - 1).
    auto place = [&](int frame, float x, double& ox, double& oy) {
      const double a = frames[frame].angleDegrees * 0.017453292519943295;
      ox = std::cos(a) * x * 8 + frames[frame].tx;
      oy = std::sin(a) * x * 8 + frames[frame].ty;
    };
    for (int k = 1; k < 14; ++k) {
      EXPECT_FLOAT_EQ(frames[k].angleDegrees, bend[k]);
      double ax, ay, bx, by;
      place(k, jointX[k], ax, ay);
      place(k - 1, jointX[k], bx, by);
      EXPECT_NEAR(ax, bx, 1e-4) << "step " << step << " joint " << k;
      EXPECT_NEAR(ay, by, 1e-4) << "step " << step << " joint " << k;
    }
    if (step == 0.0f) {
      // Straight, the chain is one turn about the origin: no strip moves off it.
      for (const auto& f : frames) {
        EXPECT_NEAR(f.tx, 0.0f, 1e-5f);
        EXPECT_NEAR(f.ty, 0.0f, 1e-5f);
      }
    }
  }
}

TEST(SlowFishDrawing, AdvancesItsWavesAndTheSharedOnesAndStaysLevel) {
  OffscreenGl gl(64, 64);
  HandMadePart head(3, 5, -1, 0, 0, 0.5f);
  // The body wave lifts the head (model z); the second shared generator sways y by row.
  const SlowPart parts[2] = {{head.model, 0, 1, {{0, 2, 0, 2, 0}, {}}},
                             {head.model, 3, 1, {{2, 1, 0, 2, 1}, {}}}};
  const fish::models::SlowJointModel joints{{}, 0};
  fish::SlowFish a, b;
  for (fish::SlowFish* f : {&a, &b}) {
    f->setBounds(-50, 50, 30, -30, -85, -55);
    f->z = -70;
    f->targetPitch = 20;
  }
  fish::SharedWaves shared;
  for (int frame = 0; frame < 6; ++frame) {
    glPushMatrix();
    StepAndDrawParts(a, parts, shared, joints);
    StepAndDrawParts(b, parts, shared, joints);
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
