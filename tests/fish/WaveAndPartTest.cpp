#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "HandMadeParts.h"
#include "fish/GeneratedPart.h"
#include "fish/WaveGenerator.h"
#include "support/OffscreenGl.h"

using fish::WaveGenerator;

TEST(Waves, BodyWaveMovesOnlyTheLastColumnsAndStaysSmall) {
  WaveGenerator g{0.0f, 0, 0.26179937f, 0.1f, 0.7853981f};
  float out[23];
  for (int call = 0; call < 200; ++call) {
    fish::SampleBodyWave(g, out, 23);
    for (int c = 0; c < 19; ++c) ASSERT_EQ(out[c], 0.0f);
    ASSERT_LE(std::fabs(out[22]), 0.015f + 1e-7f);
  }
  EXPECT_FLOAT_EQ(g.amplitude, 0.015f);  // the rule leaves the last amplitude behind
}

TEST(Waves, PhaseStepsOnTheThresholdAndRestartsAtZero) {
  WaveGenerator g{6.0f, 0, 0.3f, 1.0f, 0.5f};
  float out[4];
  for (int call = 1; call <= 4; ++call) g.Sample(out, 4, 3);
  EXPECT_FLOAT_EQ(g.phase, 6.0f);  // ticks 0..3 are not above 3
  g.Sample(out, 4, 3);             // fifth call: 6.5 > 6.283185 restarts at 0, not 0.2168
  EXPECT_EQ(g.phase, 0.0f);
  EXPECT_EQ(g.tick, 0);
  EXPECT_FLOAT_EQ(out[2], std::sin(2 * 0.3f));

  WaveGenerator big{0.0f, 0, 0.3f, 1.0f, 0.5f};
  for (int call = 0; call < 3; ++call) big.Advance(fish::kBigFishWaveThreshold);
  EXPECT_FLOAT_EQ(big.phase, 0.5f);  // every third call
}

TEST(Waves, LargeAndSlowFishVariantsScaleWithSize) {
  WaveGenerator flap{0.0f, 0, 0.4f, 0.05f, 0.5f};
  float out[10];
  fish::SampleFlapWave(flap, out, 10, 20.0f);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_EQ(out[1], 0.0f);
  for (int c = 2; c < 10; ++c) EXPECT_FLOAT_EQ(out[c], std::sin(0.4f) * 20.0f * 0.05f);

  WaveGenerator ripple{0.0f, 0, 0.4f, 0.05f, 0.5f};
  fish::SampleRippleWave(ripple, out, 10, 8.0f);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(out[c], 0.0f);
  EXPECT_FLOAT_EQ(out[7], std::sin(7 * 0.4f) * 8.0f * 0.05f);

  // The shared generators advance once per slow-fish draw, whichever fish draws.
  fish::SharedWaves shared;
  float s[12];
  for (int draw = 0; draw < 11; ++draw) shared.Sample(3, s, 8.0f);
  EXPECT_EQ(shared.generators[3].phase, 0.0f);
  shared.Sample(3, s, 8.0f);  // 12th call: old tick 11 > 10
  EXPECT_FLOAT_EQ(shared.generators[3].phase, 0.52359873f);
  EXPECT_EQ(s[0], 0.0f);
  EXPECT_FLOAT_EQ(s[5], 5 * std::sin(5 * 0.13089968f + 0.52359873f) * 8.0f * 0.005f);
}

TEST(PartMatrix, MatchesTheRotationOpenGlWouldApply) {
  OffscreenGl gl(8, 8);
  const float axes[][3] = {{0, 0, 1}, {1, 0, 0}, {0.3f, -0.8f, 0.5f}, {2, 2, 0}};
  for (const auto& a : axes) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(37.5f, a[0], a[1], a[2]);
    float expected[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, expected);
    float m[16];
    fish::RotationMatrix(m, 37.5f * 0.017453292519943295f, a[0], a[1], a[2]);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-5) << i;
  }
  float id[16];
  fish::RotationMatrix(id, 1.0f, 0, 0, 0);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(id[i], (i % 5 == 0) ? 1.0f : 0.0f);
  float yaw[16];
  fish::SetPartAngle(yaw, 90.0f);
  EXPECT_NEAR(yaw[0], 0.0f, 1e-6);  // model x turns into model y
  EXPECT_NEAR(yaw[1], 1.0f, 1e-6);
}

TEST(PartCopy, ScalesACopyAndAppliesEachDisplacementRule) {
  HandMadePart fin(2, 4, -1.0f, 1.0f, 0.5f, 0.2f, 0.1f);  // row 0 free edge at y 0.5
  const float before = fin.vertices[1];
  const float d[4] = {0.1f, 0.2f, 0.3f, 0.4f};

  fish::PartCopy body(fin.model, 5.0f);
  body.SwingRows(d);
  EXPECT_FLOAT_EQ(body.y(1, 2), 5.0f * 0.2f + 0.3f);
  EXPECT_FLOAT_EQ(body.mirroredY(1, 2), -5.0f * 0.2f + 0.3f);  // both sides swing together
  EXPECT_FLOAT_EQ(body.z(0, 0), 0.5f);

  fish::PartCopy flap(fin.model, 5.0f);
  flap.FlapRow(0, d, 1.4f);
  EXPECT_FLOAT_EQ(flap.y(0, 3), 2.5f + 0.4f);
  EXPECT_FLOAT_EQ(flap.mirroredY(0, 3), -(2.5f + 0.4f));  // the pair flaps symmetrically
  EXPECT_FLOAT_EQ(flap.x(0, 0), -5.0f * 1.4f);
  EXPECT_FLOAT_EQ(flap.y(1, 3), 1.0f);   // the root row stays
  EXPECT_FLOAT_EQ(flap.x(1, 0), -5.0f);

  fish::PartCopy shifted(fin.model, 2.0f);
  shifted.Offset(-0.5f, -8.5f, -6.7f);
  const float rowSample[2] = {0.25f, 0.75f};
  shifted.Displace(1, 0, 1, rowSample, 2, true);
  EXPECT_FLOAT_EQ(shifted.y(1, 0), 0.4f - 8.5f + 0.75f);
  EXPECT_FLOAT_EQ(shifted.mirroredY(1, 0), -(0.4f - 8.5f + 0.75f));
  fish::PartCopy clamped(fin.model, 1.0f);
  clamped.Displace(2, 0, 0, rowSample, 2, false);  // columns 2, 3 take the last sample
  EXPECT_FLOAT_EQ(clamped.z(0, 3), 0.1f + 0.75f);
  EXPECT_FLOAT_EQ(clamped.z(1, 3), 0.1f);

  EXPECT_EQ(fin.vertices[1], before);  // the model itself is never touched

  HandMadePart huge(40, 40, -1, 1, 0, 1);  // more than the stack copy holds: refused
  EXPECT_FALSE(fish::PartCopy(huge.model, 1.0f).IsValid());
}
