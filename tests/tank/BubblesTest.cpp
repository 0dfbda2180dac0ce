#include "tank/Bubbles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TankTestGl.h"
#include "platform/CrtRand.h"
#include "support/TempConfigDir.h"

namespace {

class Bubbles : public testing::Test {
 protected:
  void SetUp() override {
    crt::setRandState(1);
    // One unit per pixel; covers every place a bubble can be relative to its emitter.
    tanktest::SetFlatView(256, 256, -128, -64);
  }
  tanktest::Gl gl_{256, 256};
  TempConfigDir config_;
};

// Polygons and their total area drawn by one Draw(n).
struct Drawn {
  std::size_t polygons;
  double area;
};
Drawn DrawAndMeasure(tank::BubbleEmitter& e, int n) {
  const auto polys = tanktest::CapturePolygons([&] { e.Draw(n); });
  Drawn d{polys.size(), 0.0};
  for (const auto& p : polys) d.area += tanktest::AreaXY(p);
  return d;
}

std::size_t PolygonsPerQuad() {
  const auto polys = tanktest::CapturePolygons([] {
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(0, 1);
    glVertex2f(1, 1);
    glVertex2f(1, 0);
    glEnd();
  });
  return polys.size();
}

TEST_F(Bubbles, ActiveCountFollowsTheBubbleSetting) {
  const std::size_t perQuad = PolygonsPerQuad();
  ASSERT_GT(perQuad, 0u);
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(tank::kBubblePoolSize));
  EXPECT_EQ(e.poolSize(), 110);
  for (int qipaonum : {100, 0, 110, 57, -5, 200}) {
    const int expected = std::clamp(110 - qipaonum, 0, 110);
    SCOPED_TRACE(qipaonum);
    // The squares drawn are those of the first n particles, each 2 x half-size wide.
    double expectedArea = 0;
    for (int i = 0; i < expected; ++i) expectedArea += 4.0 * e.particle(i).halfSize * e.particle(i).halfSize;
    const Drawn d = DrawAndMeasure(e, 110 - qipaonum);
    EXPECT_EQ(e.activeCount(), expected);
    EXPECT_EQ(d.polygons, expected * perQuad);
    EXPECT_NEAR(d.area, expectedArea, 1e-2 * (1 + expected));
  }
}

TEST_F(Bubbles, StartUpPlacesThreeEmittersAndSpreadsThem) {
  tank::BubbleEmitter emitters[3];
  float positions[3][3] = {};
  const tank::TankBox box = tank::ComputeTankBox(1024, 768);
  tank::PlaceBubbleEmitters(emitters, positions, box, 100);
  const float expected[3][3] = {{0, -30, -150}, {0, -30, -250}, {0, -30, -100}};
  for (int k = 0; k < 3; ++k) {
    for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(positions[k][c], expected[k][c]);
    EXPECT_EQ(emitters[k].activeCount(), 10);
    // 110 frames moved the ten active ones; the rest are still as first spawned.
    int risen = 0;
    for (int i = 0; i < 10; ++i)
      if (emitters[k].particle(i).y > 1.0f || emitters[k].particle(i).life < 200.0f) ++risen;
    EXPECT_EQ(risen, 10);
    for (int i = 10; i < 110; ++i) {
      EXPECT_LE(emitters[k].particle(i).y, -0.955f);
      EXPECT_EQ(emitters[k].particle(i).life, 200.0f);
    }
  }
}

TEST_F(Bubbles, FirstSpawnDrawsNineValuesPerParticleInOrder) {
  crt::setRandState(12345);
  int d[9];
  for (int& v : d) v = crt::rand();
  for (int i = 9; i < 110 * 9; ++i) crt::rand();
  const std::uint32_t afterSpawn = crt::randState();

  crt::setRandState(12345);
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(110));
  EXPECT_EQ(crt::randState(), afterSpawn);  // the sprite load draws nothing
  const tank::BubbleParticle& p = e.particle(0);
  EXPECT_FLOAT_EQ(p.x, d[0] % 200 - 100.0f);
  EXPECT_FLOAT_EQ(p.vx, ((d[3] % 9000) - (d[4] % 9000)) * 7e-6f);
  EXPECT_NEAR(p.vy, (d[5] % 9000) * 0.000042f / 3.0f, 1e-7);
  EXPECT_FLOAT_EQ(p.halfSize, (d[7] % 20 + 2) * 0.1f);
  EXPECT_FLOAT_EQ(p.fade, (d[8] % 50) * 0.05f);
}

// Follows particle i for up to `frames` frames; returns the frame at which it was reborn
// (its height fell back to the emitter), or 0. Fills the last state before the rebirth.
int FramesUntilRebirth(tank::BubbleEmitter& e, int i, int frames, tank::BubbleParticle* last) {
  for (int f = 1; f <= frames; ++f) {
    const tank::BubbleParticle before = e.particle(i);
    e.Draw(i + 1);
    if (e.particle(i).y < before.y) {
      *last = before;
      return f;
    }
  }
  return 0;
}

TEST_F(Bubbles, LifeAndHeightDecideRebirth) {
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(110));
  int lasting = -1, fading = -1;
  for (int i = 0; i < 110; ++i) {
    if (e.particle(i).fade == 0.0f && lasting < 0) lasting = i;
    if (e.particle(i).fade >= 2.0f && fading < 0) fading = i;
  }
  ASSERT_GE(lasting, 0) << "no unfading bubble in this pool";
  ASSERT_GE(fading, 0);

  // A bubble that never fades rises until the step that would take it to 130.
  tank::BubbleParticle last;
  const int rebornAt = FramesUntilRebirth(e, lasting, 5000, &last);
  ASSERT_GT(rebornAt, 300);
  EXPECT_EQ(last.life, 200.0f);
  EXPECT_LT(last.y, 130.0f);
  EXPECT_GE(last.y + last.vy, 130.0f);
  EXPECT_GE(e.particle(lasting).y, -1.0f);
  EXPECT_LE(e.particle(lasting).y, -0.955f);
  EXPECT_EQ(e.particle(lasting).life, 200.0f);

  // A fast-fading bubble is reborn when its life runs out, long before reaching the top.
  tank::BubbleEmitter f;
  crt::setRandState(1);
  ASSERT_TRUE(f.Initialise(110));
  const float fade = f.particle(fading).fade;
  const int diesAt = FramesUntilRebirth(f, fading, 1000, &last);
  EXPECT_NEAR(diesAt, 200.0f / fade, 1.0f);
  EXPECT_LE(last.life - fade, 0.0f);
  EXPECT_LT(last.y, 130.0f);
}

TEST_F(Bubbles, RaisingTheCountBringsBackParticlesAsTheyWereLeft) {
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(110));
  for (int i = 0; i < 30; ++i) e.Draw(40);
  const std::vector<tank::BubbleParticle> parked(&e.particle(0), &e.particle(0) + 110);
  for (int i = 0; i < 200; ++i) e.Draw(10);
  for (int i = 10; i < 110; ++i) {
    EXPECT_EQ(e.particle(i).y, parked[i].y);
    EXPECT_EQ(e.particle(i).life, parked[i].life);
  }
  e.Draw(110);
  for (int i = 40; i < 110; ++i) {
    const tank::BubbleParticle& p = e.particle(i);
    if (parked[i].y + parked[i].vy >= 130.0f || parked[i].life - parked[i].fade <= 0.0f) continue;
    EXPECT_FLOAT_EQ(p.x, parked[i].x + parked[i].vx);
    EXPECT_FLOAT_EQ(p.y, parked[i].y + parked[i].vy);
    EXPECT_FLOAT_EQ(p.vy, parked[i].vy + parked[i].ay);
  }
}

TEST_F(Bubbles, EachDrawnBubbleTakesTwoWobbleDraws) {
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(110));
  // Fresh particles are not reborn by one step, so the frame takes exactly the 2 n wobbles.
  crt::setRandState(777);
  e.Draw(10);
  const std::uint32_t after = crt::randState();
  crt::setRandState(777);
  for (int i = 0; i < 20; ++i) crt::rand();
  EXPECT_EQ(after, crt::randState());
}

TEST(BubblesWithoutPool, DrawNothing) {
  tanktest::Gl gl(64, 64);
  tank::BubbleEmitter e;
  e.Draw(50);  // never initialised
  EXPECT_EQ(e.activeCount(), 0);
  EXPECT_FALSE(e.Initialise(-1));
  EXPECT_EQ(e.activeCount(), 0);
}

}  // namespace
