#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "HandMadeParts.h"
#include "fish/FishDraw.h"
#include "support/OffscreenGl.h"

using fish::SpeciesFish;

namespace {

constexpr int kView = 256;

// Pool fish swimming straight along -x, level, not about to wander.
SpeciesFish StraightFish(int size) {
  SpeciesFish f;
  f.setBounds(-50, 50, 30, -30, -85, -55);
  f.z = -70;
  f.heading = f.targetHeading = f.bendFrom = 0;
  f.headingSettled = f.bodyStraight = true;
  f.targetPitch = f.pitch = 0;
  f.wanderTimer = 0;
  f.size = size;
  return f;
}

struct Extent {
  int minX = kView, maxX = -1, minY = kView, maxY = -1;
  int width() const { return maxX - minX + 1; }
};

// Draws the fish white on black, seen from above the tank (model x right), and measures it.
Extent DrawAndMeasure(OffscreenGl& gl, SpeciesFish& f, int species,
                      const fish::models::PartModel (&parts)[8]) {
  glViewport(0, 0, kView, kView);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glColor3f(1, 1, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-5, 5, -5, 5, -50, 50);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(90, 1, 0, 0);  // look down the tank's y axis
  fish::SpeciesFishDraw(f, species, parts);
  glFinish();
  Extent e;
  for (int y = 0; y < kView; ++y) {
    for (int x = 0; x < kView; ++x) {
      if (gl.pixel(x, y)[0] > 128) {
        e.minX = std::min(e.minX, x);
        e.maxX = std::max(e.maxX, x);
        e.minY = std::min(e.minY, y);
        e.maxY = std::max(e.maxY, y);
      }
    }
  }
  return e;
}

}  // namespace

TEST(SpeciesFishDrawing, SizeTwoIsTwoFifthsOfSizeFive) {
  OffscreenGl gl(kView, kView);
  HandMadeSpeciesParts model;
  SpeciesFish five = StraightFish(5);
  SpeciesFish two = StraightFish(2);
  const Extent e5 = DrawAndMeasure(gl, five, 0, model.parts);
  const Extent e2 = DrawAndMeasure(gl, two, 0, model.parts);
  ASSERT_GT(e5.width(), 20);
  // Nose -0.47 to tail edge 0.5: 0.97 * size world units at 25.6 pixels per unit.
  EXPECT_NEAR(e5.width(), 0.97 * 5 * 25.6, 2.5);
  EXPECT_NEAR(static_cast<double>(e2.width()) / e5.width(), 0.4, 0.03);
}

TEST(SpeciesFishDrawing, SpeciesOneHasTheLongerTailEdge) {
  OffscreenGl gl(kView, kView);
  HandMadeSpeciesParts model;
  SpeciesFish a = StraightFish(5);
  SpeciesFish b = StraightFish(5);
  const Extent plain = DrawAndMeasure(gl, a, 0, model.parts);
  const Extent longTail = DrawAndMeasure(gl, b, 1, model.parts);
  EXPECT_EQ(plain.minX, longTail.minX);  // same nose
  // Tail edge at x 0.5 * 5 becomes 0.7 * 5: one unit (25.6 pixels) further.
  EXPECT_NEAR(longTail.maxX - plain.maxX, 25.6, 2.0);
  EXPECT_EQ(b.species, 1);
}

TEST(SpeciesFishDrawing, EighthFrameWavePhasesAndAHeadingThatTurnsTheBody) {
  OffscreenGl gl(kView, kView);
  HandMadeSpeciesParts model;
  SpeciesFish f = StraightFish(5);
  for (int frame = 0; frame < 8; ++frame) DrawAndMeasure(gl, f, 0, model.parts);
  EXPECT_FLOAT_EQ(f.bodyWave.phase, 0.7853981f);
  EXPECT_FLOAT_EQ(f.tailWave.phase, 0.7853981f);
  EXPECT_FLOAT_EQ(f.pectoralWave.phase, 0.52359873f);
  EXPECT_NEAR(f.x, -8 * 0.2f, 1e-4);  // eight steps toward -x
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);

  // Turned to 90 degrees the fish lies across the view: taller than wide.
  SpeciesFish turned = StraightFish(5);
  turned.heading = turned.targetHeading = turned.bendFrom = 90;
  for (int& b : turned.bendAngles) b = 90;
  const Extent e = DrawAndMeasure(gl, turned, 0, model.parts);
  EXPECT_GT(e.maxY - e.minY, 2 * e.width());
}

TEST(LargeFishDrawing, CompiledBodyAndFinsKeepTheMatrixStackBalanced) {
  OffscreenGl gl(kView, kView);
  // One triangle body, indices for vertex, normal and texcoord per corner.
  const float v[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  const float n[] = {0, 0, 1};
  const float t[] = {0, 0, 1, 0, 0, 1};
  const std::uint16_t idx[] = {0, 1, 2, 0, 0, 0, 0, 1, 2, 0, 1, 9, 0, 0, 0, 0, 0, 0};
  const int runs[] = {0, 2};
  const fish::models::TriangleModel body{2, idx, 3, v, 1, n, 3, t, 1, runs};
  fish::LargeFish f;
  f.setBounds(-50, 50, 30, -30, -85, -55, body);
  ASSERT_NE(f.bodyList, 0u);
  EXPECT_TRUE(glIsList(f.bodyList));

  HandMadePart fin1(9, 9, -1, 1, 0, 1);
  HandMadePart fin2(10, 9, -1, 1, 0, 1);
  const fish::models::PartModel fins[5] = {fin1.model, fin2.model, fin2.model, fin2.model,
                                           fin2.model};
  f.x = 0;
  f.z = -70;
  for (int frame = 0; frame < 30; ++frame) {
    glPushMatrix();
    fish::LargeFishDraw(f, 0, fins);
    glPopMatrix();
  }
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_FLOAT_EQ(f.finWave.phase, 10 * fish::kLargeFinPhaseStep);  // every third draw
}
