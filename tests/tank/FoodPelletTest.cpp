#include "tank/FoodPellet.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "TankTestGl.h"
#include "platform/CrtRand.h"

namespace {

class Pellets : public testing::Test {
 protected:
  void SetUp() override {
    crt::setRandState(1);
    tanktest::SetFrameView(256, 256);
  }
  tanktest::Gl gl_{256, 256};
};

// One frame of a pellet on its own: its step, then its picture.
void StepAndDraw(tank::FoodPellet& p) {
  p.Step();
  p.Draw();
}

// One frame of the pellet as the frame loop runs it: inside a pushed matrix, lighting off.
std::vector<tanktest::Polygon> FrameOf(tank::FoodPellet& p) {
  return tanktest::CapturePolygons([&] {
    glPushMatrix();
    StepAndDraw(p);
    glPopMatrix();
  });
}

TEST_F(Pellets, SetUpTakesElevenDrawsInOrder) {
  crt::setRandState(4242);
  int d[11];
  for (int& v : d) v = crt::rand();
  const std::uint32_t after = crt::randState();

  crt::setRandState(4242);
  tank::FoodPellet p;
  p.SetUp();
  EXPECT_EQ(crt::randState(), after);
  EXPECT_FLOAT_EQ(p.localX(), (d[0] - d[1]) * 0.000042115542f);
  EXPECT_FLOAT_EQ(p.localY(), 1.0f);
  EXPECT_FLOAT_EQ(p.localZ(), (d[2] - d[3]) * 0.000011597033f);
  EXPECT_FLOAT_EQ(p.tilt(), (d[4] - d[5]) * 0.0054933317f);
  EXPECT_NEAR(p.spin(), (d[6] - d[7]) * 0.0054933317f + (d[8] - d[9]) * 0.0054933317f, 1e-4);
  EXPECT_FLOAT_EQ(p.fallSpeed(), (d[10] % 10) * 0.0005f + 0.005f);
  EXPECT_EQ(p.alive(), 1.0f);
  EXPECT_FALSE(p.IsActive());  // set-up alone does not put it in the tank
  EXPECT_TRUE(glIsList(p.displayList()));
  p.Release();
}

TEST_F(Pellets, DroppedPelletShowsBelowThePickedPointInFoodColour) {
  tank::FoodPellet p;
  p.Drop(10.0f, 5.0f - 2.0f, -70.0f);
  ASSERT_TRUE(p.IsActive());
  const float lx = p.localX(), lz = p.localZ();
  const auto polys = FrameOf(p);
  ASSERT_EQ(polys.size(), 498u);  // a fan of 500 points
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, minZ = 1e9, maxZ = -1e9;
  for (const auto& poly : polys)
    for (const auto& v : poly) {
      minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
      minY = std::min(minY, v.y), maxY = std::max(maxY, v.y);
      minZ = std::min(minZ, v.z), maxZ = std::max(maxZ, v.z);
      EXPECT_NEAR(v.r, 243 / 255.0, 1e-3);
      EXPECT_NEAR(v.g, 225 / 255.0, 1e-3);
      EXPECT_NEAR(v.b, 159 / 255.0, 1e-3);
    }
  // The shape's centre: the drop point plus the offset turned by the spin about y.
  const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2, cz = (minZ + maxZ) / 2;
  EXPECT_NEAR(cy, 3.8, 0.01);
  EXPECT_NEAR(std::hypot(cx - 10.0, cz + 70.0), std::hypot(lx, lz), 0.01);
  EXPECT_LE(maxX - minX, 0.61);
  // The world position the fish read ignores the spin.
  EXPECT_FLOAT_EQ(p.worldX(), 10.0f + lx);
  EXPECT_FLOAT_EQ(p.worldY(), 3.0f + 1.0f - 0.2f);
  EXPECT_FLOAT_EQ(p.worldZ(), -70.0f + lz);
  // Drawing leaves texturing on and the colour white.
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat c[4];
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_EQ(c[0] + c[1] + c[2], 3.0f);

  // A nudge shows in the next frame's world position; the fall goes on.
  const float x = p.localX(), y = p.localY(), z = p.localZ();
  p.Nudge(0.5f, 0.25f, -0.5f);
  FrameOf(p);
  EXPECT_NEAR(p.worldX(), 10.0f + x + 0.5f, 1e-5);
  EXPECT_NEAR(p.worldY(), 3.0f + y + 0.25f - 0.2f, 1e-5);
  EXPECT_NEAR(p.worldZ(), -70.0f + z - 0.5f, 1e-5);
  p.Release();
}

TEST_F(Pellets, SinksTenUnitsIn1158To2200FramesThenLeaves) {
  int fastest = 1 << 30, slowest = 0;
  for (std::uint32_t seed : {1u, 2u, 3u, 99u, 1234u, 98765u, 424242u, 7u}) {
    crt::setRandState(seed);
    tank::FoodPellet p;
    p.Drop(0.0f, 0.0f, -70.0f);
    int frames = 0;
    while (p.localY() > -10.0f && frames < 5000) {
      StepAndDraw(p);
      ++frames;
    }
    EXPECT_NEAR(frames, 11.0f / p.fallSpeed(), 2.0f);
    fastest = std::min(fastest, frames);
    slowest = std::max(slowest, frames);
    EXPECT_GE(frames, 1158);
    EXPECT_LE(frames, 2201);
    // The next move finds it sunk: parked far below and consumed; it is still in the tank
    // until the draw after that clears it without drawing anything.
    StepAndDraw(p);
    EXPECT_EQ(p.localY(), -40.0f);
    EXPECT_EQ(p.alive(), 0.0f);
    EXPECT_TRUE(p.IsActive());
    const float lastWorldY = p.worldY();
    EXPECT_TRUE(FrameOf(p).empty());
    EXPECT_FALSE(p.IsActive());
    EXPECT_EQ(p.worldY(), lastWorldY);
    p.Release();
  }
  EXPECT_LT(fastest, slowest);
}

// Each frame a sinking pellet drops by its fall speed, tilts 0.4 degrees, spins 2 degrees and
// wobbles sideways and in depth by at most 32767 * 6.103702e-8 (two thousandths).
TEST_F(Pellets, TumblesAtItsPerFrameRatesAndWobblesByAtMostTwoThousandths) {
  constexpr int kFrames = 50;
  constexpr double kMaxWobble = 32767 * 6.103702e-8;
  for (std::uint32_t seed : {5u, 77u}) {
    crt::setRandState(seed);
    tank::FoodPellet p;
    p.Drop(0.0f, 0.0f, -70.0f);
    const float tilt0 = p.tilt(), spin0 = p.spin(), y0 = p.localY();
    double widest = 0;
    for (int n = 1; n <= kFrames; ++n) {
      const float x = p.localX(), y = p.localY(), z = p.localZ();
      glPushMatrix();
      StepAndDraw(p);
      glPopMatrix();
      EXPECT_NEAR(p.localY(), y - p.fallSpeed(), 1e-6);
      EXPECT_LE(std::fabs(p.localX() - x), kMaxWobble + 1e-7);
      EXPECT_LE(std::fabs(p.localZ() - z), kMaxWobble + 1e-7);
      widest = std::max(widest, static_cast<double>(std::fabs(p.localX() - x)));
    }
    EXPECT_GT(widest, kMaxWobble / 4) << "the wobble is a real one";
    EXPECT_NEAR(p.tilt(), tilt0 + 0.4 * kFrames, 1e-3);
    EXPECT_NEAR(p.spin(), spin0 + 2.0 * kFrames, 1e-3);
    EXPECT_NEAR(p.localY(), y0 - kFrames * p.fallSpeed(), 1e-4);
    p.Release();
  }
}

TEST_F(Pellets, ConsumedPelletVanishesAtItsNextDraw) {
  tank::FoodPellet p;
  p.Drop(-4.0f, 2.0f, -70.0f);
  for (int i = 0; i < 5; ++i) FrameOf(p);
  const float wx = p.worldX(), wy = p.worldY(), wz = p.worldZ();
  p.Consume();
  EXPECT_TRUE(p.IsActive());
  EXPECT_TRUE(FrameOf(p).empty());
  EXPECT_FALSE(p.IsActive());
  EXPECT_EQ(p.worldX(), wx);
  EXPECT_EQ(p.worldY(), wy);
  EXPECT_EQ(p.worldZ(), wz);
  // Dropping it again brings it back whole.
  p.Drop(1.0f, 1.0f, -70.0f);
  EXPECT_TRUE(p.IsActive());
  EXPECT_EQ(p.alive(), 1.0f);
  EXPECT_FALSE(FrameOf(p).empty());
  p.Release();
}

TEST_F(Pellets, FirstFreePelletIsTheLowestInactiveOne) {
  tank::FoodPellet pool[tank::kPelletCount];
  for (int i = 0; i < tank::kPelletCount; ++i) {
    ASSERT_EQ(tank::FirstFreePellet(pool), i);
    pool[i].Drop(0.0f, 0.0f, -70.0f);
  }
  EXPECT_EQ(tank::FirstFreePellet(pool), -1);  // a 21st click drops nothing
  pool[7].Consume();
  pool[12].Consume();
  for (auto& p : pool) {
    glPushMatrix();
    StepAndDraw(p);
    glPopMatrix();
  }
  EXPECT_EQ(tank::FirstFreePellet(pool), 7);
  for (auto& p : pool) p.Release();
}

// The picture is the last step's: drawn again it is the same, and drawing takes no random
// draw and moves nothing; a pellet just dropped shows only after its first step.
TEST_F(Pellets, DrawingShowsTheLastStepAndChangesNothing) {
  tank::FoodPellet p;
  p.Drop(3.0f, 4.0f, -70.0f);
  EXPECT_TRUE(tanktest::CapturePolygons([&] { p.Draw(); }).empty());
  p.Step();
  const std::uint32_t rand = crt::randState();
  const float y = p.localY(), spin = p.spin(), worldY = p.worldY();
  const auto first = tanktest::CapturePolygons([&] { glPushMatrix(); p.Draw(); glPopMatrix(); });
  const auto second = tanktest::CapturePolygons([&] { glPushMatrix(); p.Draw(); glPopMatrix(); });
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t k = 0; k < first.size(); ++k)
    for (std::size_t v = 0; v < first[k].size(); ++v) {
      EXPECT_EQ(first[k][v].x, second[k][v].x);
      EXPECT_EQ(first[k][v].y, second[k][v].y);
    }
  EXPECT_EQ(crt::randState(), rand);
  EXPECT_EQ(p.localY(), y);
  EXPECT_EQ(p.spin(), spin);
  EXPECT_EQ(p.worldY(), worldY);
  // The world point the fish steer for is where the step showed it, before it sank on.
  EXPECT_FLOAT_EQ(p.worldY(), 4.0f + (y + p.fallSpeed()) - 0.2f);
  p.Release();
}

TEST_F(Pellets, RepeatedDropsKeepOneDisplayListAndTexture) {
  tank::FoodPellet p;
  std::set<GLuint> lists, textures;
  for (int i = 0; i < 1000; ++i) {
    p.Drop(0.0f, 0.0f, -70.0f);
    lists.insert(p.displayList());
    textures.insert(p.texture());
  }
  int liveLists = 0, liveTextures = 0;
  for (GLuint name : lists) liveLists += glIsList(name) ? 1 : 0;
  for (GLuint name : textures) liveTextures += glIsTexture(name) ? 1 : 0;
  EXPECT_EQ(liveLists, 1);
  EXPECT_EQ(liveTextures, 1);
  EXPECT_TRUE(glIsList(p.displayList()));

  p.Release();
  for (GLuint name : lists) EXPECT_FALSE(glIsList(name));
  for (GLuint name : textures) EXPECT_FALSE(glIsTexture(name));
}

}  // namespace
