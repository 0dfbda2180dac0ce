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

// One frame of an emitter on its own: a step showing n particles, then its picture.
void Frame(tank::BubbleEmitter& e, int n) {
  e.Step(n);
  e.Draw();
}

// Polygons and their total area drawn by one frame of n particles.
struct Drawn {
  std::size_t polygons;
  double area;
};
Drawn DrawAndMeasure(tank::BubbleEmitter& e, int n) {
  const auto polys = tanktest::CapturePolygons([&] { Frame(e, n); });
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
    Frame(e, i + 1);
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
  for (int i = 0; i < 30; ++i) Frame(e, 40);
  const std::vector<tank::BubbleParticle> parked(&e.particle(0), &e.particle(0) + 110);
  for (int i = 0; i < 200; ++i) Frame(e, 10);
  for (int i = 10; i < 110; ++i) {
    EXPECT_EQ(e.particle(i).y, parked[i].y);
    EXPECT_EQ(e.particle(i).life, parked[i].life);
  }
  Frame(e, 110);
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
  Frame(e, 10);
  const std::uint32_t after = crt::randState();
  crt::setRandState(777);
  for (int i = 0; i < 20; ++i) crt::rand();
  EXPECT_EQ(after, crt::randState());
}

// An emitter whose particles a test can set up.
struct OpenEmitter : tank::BubbleEmitter {
  tank::BubbleParticle& at(int i) { return particles_[i]; }
  void Activate(int n) { active_ = n; }
};

// Speed grows by 0.00083333330 a frame: after n frames a bubble has risen by
// n * vy + a * n (n - 1) / 2.
TEST_F(Bubbles, RiseSpeedGrowsByTheAccelerationEveryFrame) {
  constexpr double kA = 0.00083333330;
  constexpr int kFrames = 60;  // short of any rebirth: life 200 lasts 81 frames at the most fade
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(110));
  for (int i : {0, 1}) {
    const tank::BubbleParticle start = e.particle(i);
    for (int n = 0; n < kFrames; ++n) Frame(e, i + 1);
    const tank::BubbleParticle& p = e.particle(i);
    EXPECT_NEAR(p.vy, start.vy + kFrames * kA, 1e-6);
    EXPECT_NEAR(p.y, start.y + kFrames * start.vy + kA * kFrames * (kFrames - 1) / 2, 2e-4);
    EXPECT_NEAR(p.x, start.x + kFrames * start.vx, 1e-3);  // x is large: float steps
    EXPECT_NEAR(p.z, start.z + kFrames * start.vz, 1e-4);
  }
}

// A bubble is reborn once a step takes it to -25 or below, to 130 or above, or its life to 0
// or below; a hundredth short of each it moves on.
TEST_F(Bubbles, RebirthAtExactlyMinus25Or130OrNoLifeLeft) {
  OpenEmitter e;
  ASSERT_TRUE(e.Initialise(1));
  e.Activate(1);
  auto reborn = [&](float y, float life, float fade) {
    tank::BubbleParticle& p = e.at(0);
    p.y = y;
    p.vy = 0.0f;
    p.ay = 0.0f;
    p.life = life;
    p.fade = fade;
    e.Update();
    return p.life == 200.0f && p.y >= -1.0f && p.y <= -0.955f;
  };
  EXPECT_TRUE(reborn(-25.0f, 200.0f, 0.0f));
  EXPECT_FALSE(reborn(-24.99f, 200.0f, 0.0f));
  EXPECT_TRUE(reborn(130.0f, 200.0f, 0.0f));
  EXPECT_FALSE(reborn(129.99f, 200.0f, 0.0f));
  EXPECT_TRUE(reborn(50.0f, 2.0f, 2.0f));
  EXPECT_FALSE(reborn(50.0f, 2.01f, 2.0f));
}

// Rebirth draws x, y, z, two for x speed, y speed, z speed (of a draw taken modulo 90000, so
// the whole draw) and the fade, and keeps the size.
TEST_F(Bubbles, RebirthTakesEightDrawsInOrderAndKeepsTheSize) {
  OpenEmitter e;
  ASSERT_TRUE(e.Initialise(1));
  e.Activate(1);
  std::uint32_t seed = 1;
  int d[8];
  for (;; ++seed) {
    crt::setRandState(seed);
    for (int& v : d) v = crt::rand();
    if (d[6] >= 9000 && d[2] % 9000 != 0) break;  // a draw that tells the two moduli apart
  }
  tank::BubbleParticle& p = e.at(0);
  const float size = p.halfSize;
  p.life = 0.5f;
  p.fade = 1.0f;
  crt::setRandState(seed);
  e.Update();
  EXPECT_FLOAT_EQ(p.x, d[0] % 200 - 100.0f);
  EXPECT_FLOAT_EQ(p.y, (d[1] % 9) * 0.005f - 1.0f);
  EXPECT_FLOAT_EQ(p.z, (d[2] % 9000) * 1e-6f);
  EXPECT_FLOAT_EQ(p.vx, ((d[3] % 9000) - (d[4] % 9000)) * 7e-6f);
  EXPECT_FLOAT_EQ(p.vy, (d[5] % 9000) * 0.000042f);
  EXPECT_FLOAT_EQ(p.vz, d[6] * 1e-6f);
  EXPECT_FLOAT_EQ(p.ay, 0.00083333330f);
  EXPECT_EQ(p.life, 200.0f);
  EXPECT_FLOAT_EQ(p.fade, (d[7] % 50) * 0.05f);
  EXPECT_EQ(p.halfSize, size);
}

// Each square is drawn 0 to 0.19 to the right of its particle, by (draw mod 20) * 0.01.
TEST_F(Bubbles, TheWobbleShiftsEachSquareByItsDrawInHundredths) {
  const std::size_t perQuad = PolygonsPerQuad();
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(110));
  constexpr int kShown = 20;
  std::vector<tank::BubbleParticle> before(&e.particle(0), &e.particle(0) + kShown);
  crt::setRandState(31337);
  int jx[kShown];
  for (int& v : jx) {
    v = crt::rand() % 20;
    crt::rand();
  }
  crt::setRandState(31337);
  const auto polys = tanktest::CapturePolygons([&] { Frame(e, kShown); });
  ASSERT_EQ(polys.size(), kShown * perQuad);
  for (int i = 0; i < kShown; ++i) {
    double minX = 1e9, maxX = -1e9;
    for (std::size_t k = 0; k < perQuad; ++k)
      for (const auto& v : polys[i * perQuad + k]) {
        minX = std::min(minX, v.x);
        maxX = std::max(maxX, v.x);
      }
    const tank::BubbleParticle& p = before[i];
    EXPECT_NEAR(minX, p.x + jx[i] * 0.01 - p.halfSize, 2e-3) << "bubble " << i;
    EXPECT_NEAR(maxX - minX, 2.0 * p.halfSize, 2e-3);
  }
}

// The picture is the last step's: drawing it again draws the same quads, takes no random
// draw and moves no bubble.
TEST_F(Bubbles, DrawingShowsTheLastStepAndChangesNothing) {
  tank::BubbleEmitter e;
  ASSERT_TRUE(e.Initialise(110));
  e.Step(30);
  const std::uint32_t rand = crt::randState();
  const std::vector<tank::BubbleParticle> moved(&e.particle(0), &e.particle(0) + 30);
  const auto first = tanktest::CapturePolygons([&] { e.Draw(); });
  const auto second = tanktest::CapturePolygons([&] { e.Draw(); });
  ASSERT_EQ(first.size(), 30 * PolygonsPerQuad());
  ASSERT_EQ(second.size(), first.size());
  for (std::size_t k = 0; k < first.size(); ++k)
    for (std::size_t v = 0; v < first[k].size(); ++v) EXPECT_EQ(first[k][v].y, second[k][v].y);
  EXPECT_EQ(crt::randState(), rand);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(e.particle(i).y, moved[i].y);
  // The quads stand where the step showed them: before it moved them on.
  for (int i = 0; i < 30; ++i) {
    EXPECT_NEAR(e.shown(i).y, moved[i].y - (moved[i].vy - moved[i].ay), 1e-5) << i;
  }
}

TEST(BubblesWithoutPool, DrawNothing) {
  tanktest::Gl gl(64, 64);
  tank::BubbleEmitter e;
  Frame(e, 50);  // never initialised
  EXPECT_EQ(e.activeCount(), 0);
  EXPECT_FALSE(e.Initialise(-1));
  EXPECT_EQ(e.activeCount(), 0);
}

}  // namespace
