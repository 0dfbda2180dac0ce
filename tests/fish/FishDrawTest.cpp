#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "HandMadeParts.h"
#include "fish/FishDraw.h"
#include "platform/CrtRand.h"
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
  fish::StepAndDraw(f, species, parts);
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
    fish::StepAndDraw(f, 0, fins);
    glPopMatrix();
  }
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_FLOAT_EQ(f.finWave.phase, 10 * fish::kLargeFinPhaseStep);  // every third draw
}

namespace {

struct Vec3 {
  float x, y, z;
};

// A large fish of `size` heading along -x, level, drawn at the origin.
fish::LargeFish LevelLargeFish(float size) {
  fish::LargeFish f;
  f.setBounds(-50, 50, 30, -30, -85, -55);
  f.size = size;
  f.heading = f.targetHeading = 0;
  f.pitch = f.targetPitch = 0;
  f.wanderTimer = 0;
  return f;
}

// Feedback mode into `buffer` (1 << 16 values) through a 100 x 100 window over the tank's
// -50..50 in every axis: window x = tank x + 50, window depth 0..1.
void StartFeedback(GLfloat* buffer) {
  glFeedbackBuffer(1 << 16, GL_3D, buffer);
  glRenderMode(GL_FEEDBACK);
  glViewport(0, 0, 100, 100);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-50, 50, -50, 50, -50, 50);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_CULL_FACE);
}

// The centre of every vertex the large fish's fins send, in tank units from the fish's
// origin (feedback mode; the body list is left out).
Vec3 FinCentre(fish::LargeFish f) {
  f.bodyList = 0;
  static GLfloat buffer[1 << 16];
  StartFeedback(buffer);
  fish::StepAndDraw(f, 0);
  const int n = glRenderMode(GL_RENDER);
  Vec3 sum{0, 0, 0};
  int count = 0;
  for (int i = 0; i < n;) {
    const int token = static_cast<int>(buffer[i++]);
    int vertices = 0;
    if (token == GL_POLYGON_TOKEN) vertices = static_cast<int>(buffer[i++]);
    else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) vertices = 2;
    else if (token == GL_POINT_TOKEN) vertices = 1;
    else if (token == GL_PASS_THROUGH_TOKEN) ++i;
    for (int k = 0; k < vertices; ++k, i += 3) {
      sum.x += buffer[i] - 50;
      sum.y += buffer[i + 1] - 50;
      sum.z += 50 - buffer[i + 2] * 100;  // depth 0 is z = +50
      ++count;
    }
  }
  EXPECT_GT(count, 100);
  return {sum.x / count, sum.y / count, sum.z / count};
}

}  // namespace

// The body is compiled at the fish's size, so the fins must follow it: at size 8 every fin
// sits where it sits at size 20, scaled by 8 / 20, instead of hanging beside the body.
TEST(LargeFishDrawing, FinsFollowTheBodyAtTheSmallSize) {
  OffscreenGl gl(kView, kView);
  const Vec3 usual = FinCentre(LevelLargeFish(fish::kLargeSizeUsual));
  const Vec3 small = FinCentre(LevelLargeFish(fish::kLargeSizeSmall));
  const float k = fish::kLargeSizeSmall / fish::kLargeSizeUsual;
  ASSERT_GT(std::fabs(usual.x) + std::fabs(usual.y) + std::fabs(usual.z), 0.5f);
  EXPECT_NEAR(small.x, usual.x * k, 0.05f);
  EXPECT_NEAR(small.y, usual.y * k, 0.05f);
  EXPECT_NEAR(small.z, usual.z * k, 0.05f);
}

namespace {
// A square orthographic view of the large fish's size, cleared to grey level `clear`, with no
// depth test or culling.
void FlatView(float clear) {
  glViewport(0, 0, kView, kView);
  glClearColor(clear, clear, clear, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-12, 12, -12, 12, -50, 50);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
}
}  // namespace

// The fins glow (emission 1), but whatever is lit after them keeps its own shading: with
// every light off, the fins still show white and a quad drawn next shows black.
TEST(LargeFishDrawing, FinGlowEndsWithTheFins) {
  OffscreenGl gl(kView, kView);
  FlatView(0.5f);
  glEnable(GL_LIGHTING);
  const float dark[4] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dark);
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(1, 1, 1, 1);
  fish::LargeFish f = LevelLargeFish(fish::kLargeSizeUsual);
  f.bodyList = 0;
  glPushMatrix();
  fish::StepAndDraw(f, 0);
  glPopMatrix();
  glFinish();
  int white = 0;
  for (int i = 0; i < kView * kView; ++i) white += gl.pixels()[4 * i] > 240;
  EXPECT_GT(white, 50);  // the fins themselves glow

  float emission[4], specular[4];
  for (GLenum face : {GL_FRONT, GL_BACK}) {
    glGetMaterialfv(face, GL_EMISSION, emission);
    glGetMaterialfv(face, GL_SPECULAR, specular);
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(emission[c], 0.0f) << face;
      EXPECT_EQ(specular[c], 0.0f) << face;
    }
  }
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glVertex3f(-12, -12, 0);
  glVertex3f(12, -12, 0);
  glVertex3f(12, 12, 0);
  glVertex3f(-12, 12, 0);
  glEnd();
  glFinish();
  EXPECT_LT(gl.pixel(kView / 2, kView / 2)[0], 10);
  EXPECT_LT(gl.pixel(5, 5)[0], 10);
  glDisable(GL_LIGHTING);
}

// The fins wear the skin the fish is drawn with, not the default texture: that one must stay
// empty, because the background sheet shows it when no own picture is chosen.
TEST(LargeFishDrawing, FinsWearTheFishSkinAndTheDefaultTextureStaysEmpty) {
  OffscreenGl gl(kView, kView);
  FlatView(0.0f);
  glDisable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);

  const GLubyte red[4 * 4] = {200, 30, 30, 255, 200, 30, 30, 255,
                              200, 30, 30, 255, 200, 30, 30, 255};
  GLuint skin = 0;
  glGenTextures(1, &skin);
  glBindTexture(GL_TEXTURE_2D, skin);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, red);
  glBindTexture(GL_TEXTURE_2D, 0);

  fish::LargeFish f = LevelLargeFish(fish::kLargeSizeUsual);
  f.bodyList = 0;  // the fins alone
  glPushMatrix();
  fish::StepAndDraw(f, skin);
  glPopMatrix();
  glFinish();
  int skinned = 0, white = 0;
  for (int i = 0; i < kView * kView; ++i) {
    const std::uint8_t* p = &gl.pixels()[4 * i];
    skinned += p[0] > 150 && p[1] < 60 && p[2] < 60;
    white += p[0] > 240 && p[1] > 240 && p[2] > 240;
  }
  EXPECT_GT(skinned, 50) << "the fins show the skin";
  EXPECT_EQ(white, 0) << "no fin is left bare white";

  glBindTexture(GL_TEXTURE_2D, 0);
  GLint width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 0);
  glDeleteTextures(1, &skin);
}

namespace {

// A body of one triangle: the model's origin, a point ahead (the head lies at model +x) and
// a shorter one above it (model +z). Drawn at size 20 and scale 0.2 they are 4 and 2 units
// from the origin.
struct NoseMarker {
  const float v[9] = {0, 0, 0, 1, 0, 0, 0, 0, 0.5f};
  const float n[3] = {0, 0, 1};
  const float t[2] = {0, 0};
  const std::uint16_t idx[9] = {0, 1, 2, 0, 0, 0, 0, 0, 0};
  const int runs[2] = {0, 1};
  const fish::models::TriangleModel body{1, idx, 3, v, 1, n, 1, t, 1, runs};
};

double Angle(const Vec3& a, const Vec3& b) {
  const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
  const double la = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
  const double lb = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
  return std::acos(std::clamp(dot / (la * lb), -1.0, 1.0)) * 57.29577951308232;
}

}  // namespace

// A climbing or diving large fish turns about its own side axis: at every heading its nose
// points the way it moves, up when it climbs and down when it dives.
TEST(LargeFishDrawing, TheNoseLeadsTheMotionWhenClimbingOrDivingAtEveryHeading) {
  // The fish's wandering draws from the program's generator: start it as a fresh program
  // does, so the draws (and the steps they steer) do not depend on the tests run before.
  crt::setRandState(1);
  OffscreenGl gl(kView, kView);
  NoseMarker marker;
  HandMadePart fin1(9, 9, -1, 1, 0, 1);
  HandMadePart fin2(10, 9, -1, 1, 0, 1);
  const fish::models::PartModel fins[5] = {fin1.model, fin2.model, fin2.model, fin2.model,
                                           fin2.model};
  for (float heading : {0.0f, 90.0f, 180.0f, 270.0f}) {
    for (float pitch : {30.0f, -30.0f}) {
      fish::LargeFish f;
      f.setBounds(-50, 50, 30, -30, -85, -55, marker.body);
      f.size = fish::kLargeSizeUsual;
      f.x = 0, f.y = 0, f.z = -70;
      f.heading = f.targetHeading = f.bendFrom = heading;
      f.headingSettled = f.bodyStraight = true;
      f.pitch = f.targetPitch = pitch;
      f.speed = 0.2f;
      f.wanderTimer = 0;

      static GLfloat buffer[1 << 16];
      StartFeedback(buffer);
      const Vec3 before{f.x, f.y, f.z};
      glPushMatrix();
      fish::StepAndDraw(f, 0, fins);
      glPopMatrix();
      const int values = glRenderMode(GL_RENDER);
      const Vec3 motion{f.x - before.x, f.y - before.y, f.z - before.z};
      ASSERT_GT(values, 11);
      // The body comes first: its one triangle.
      ASSERT_EQ(buffer[0], GL_POLYGON_TOKEN);
      ASSERT_EQ(buffer[1], 3.0f);
      Vec3 nose{0, 0, 0}, up{0, 0, 0};
      for (int k = 0; k < 3; ++k) {
        const GLfloat* p = &buffer[2 + 3 * k];
        const Vec3 v{p[0] - 50, p[1] - 50, 50 - p[2] * 100};
        const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        if (length > 3) nose = v;
        else if (length > 1) up = v;
      }
      const std::string at =
          "heading " + std::to_string(heading) + " pitch " + std::to_string(pitch);
      // Seen from above the nose points along the path, and it is raised by the pitch. (The
      // path itself climbs at atan(sin p), 26.6 degrees for p = 30: a step is one speed
      // across plus sin p up.)
      EXPECT_LT(Angle({nose.x, 0, nose.z}, {motion.x, 0, motion.z}), 0.5) << at;
      EXPECT_NEAR(std::asin(nose.y / 4.0) * 57.29577951308232, pitch, 0.5) << at;
      EXPECT_GT(motion.y * pitch, 0.0f) << at;
      EXPECT_LT(Angle(nose, motion), 4.0) << at;
      // Turned about its side axis, the fish does not roll: its back stays square to that
      // axis, (sin h, 0, cos h).
      const double h = heading * 0.017453292519943295;
      EXPECT_NEAR(up.x * std::sin(h) + up.z * std::cos(h), 0.0, 0.02) << at;
      EXPECT_GT(up.y, 0.0f) << at;
    }
  }
}
