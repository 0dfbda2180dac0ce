#include "tank/BackgroundSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TankTestGl.h"

namespace {

TEST(BackgroundWave, TurnsAtItsBoundsOnTheRightSteps) {
  tank::BackgroundSurface surface;
  const tank::TankBox box = tank::ComputeTankBox(1024, 768);
  int turnedDown = 0, turnedUp = 0;
  for (int step = 1; step <= 700 && turnedUp == 0; ++step) {
    const bool wasRising = surface.waveRising();
    surface.BuildControlNet(box, 0);
    if (wasRising && !surface.waveRising()) turnedDown = step;
    if (!wasRising && surface.waveRising()) {
      turnedUp = step;
      EXPECT_LT(surface.waveOffset(), -0.5f);
      EXPECT_GT(surface.waveOffset(), -0.508f);
    }
    if (step == turnedDown) {
      EXPECT_GT(surface.waveOffset(), 1.0f);
      EXPECT_LT(surface.waveOffset(), 1.008f);
    }
  }
  EXPECT_EQ(turnedDown, 125);
  EXPECT_EQ(turnedUp, 313);
}

TEST(BackgroundWave, OnlyBackgroundZeroAndTwoMoveIt) {
  const tank::TankBox box = tank::ComputeTankBox(1024, 768);
  for (int setting : {1, 3}) {
    tank::BackgroundSurface surface;
    for (int i = 0; i < 50; ++i) surface.BuildControlNet(box, setting);
    EXPECT_EQ(surface.waveOffset(), 0.0f) << setting;
    EXPECT_DOUBLE_EQ(surface.controlPoint(0, 0).x, -49.0) << setting;
    EXPECT_DOUBLE_EQ(surface.controlPoint(0, 1).z, -90.0) << setting;
  }
  for (int setting : {0, 2}) {
    tank::BackgroundSurface surface;
    for (int i = 0; i < 50; ++i) surface.BuildControlNet(box, setting);
    EXPECT_NEAR(surface.waveOffset(), 0.4f, 1e-5) << setting;
  }
}

// Finds the drawn vertex with the given texture coordinates.
const tanktest::Vertex* WithTexCoord(const std::vector<tanktest::Polygon>& polys, float s,
                                     float t) {
  for (const auto& p : polys)
    for (const auto& v : p)
      if (std::abs(v.s - s) < 1e-5f && std::abs(v.t - t) < 1e-5f) return &v;
  return nullptr;
}

void ExpectAt(const tanktest::Vertex* v, double x, double y, double z) {
  ASSERT_NE(v, nullptr);
  EXPECT_NEAR(v->x, x, 1e-3);
  EXPECT_NEAR(v->y, y, 1e-3);
  EXPECT_NEAR(v->z, z, 1e-2);
}

TEST(BackgroundSheet, CornersAndCentreOfTheStillSheet) {
  tanktest::Gl gl(256, 256);
  tanktest::SetFlatView(256, 256, -128, -128);
  tank::BackgroundSurface surface;
  surface.BuildControlNet(tank::ComputeTankBox(1024, 768), 1);  // w stays 0
  const auto polys = tanktest::CapturePolygons([&] { surface.Draw(); });
  ASSERT_FALSE(polys.empty());
  // The picture's left edge (s = 0) is on the left of the screen, its bottom (t = 0) below.
  ExpectAt(WithTexCoord(polys, 0, 0), -49, -38, -90);
  ExpectAt(WithTexCoord(polys, 1, 0), 49, -38, -90);
  ExpectAt(WithTexCoord(polys, 0, 1), -49, 39, -90);
  ExpectAt(WithTexCoord(polys, 1, 1), 49, 39, -90);
  // The middle of the patch: the quintic blend of the row heights at one half.
  ExpectAt(WithTexCoord(polys, 0.5f, 0.5f), 0, 0.5, -90);
  // Nothing outside the sheet's rectangle.
  for (const auto& p : polys)
    for (const auto& v : p) {
      EXPECT_GE(v.x, -49.001);
      EXPECT_LE(v.x, 49.001);
      EXPECT_GE(v.y, -38.001);
      EXPECT_LE(v.y, 39.001);
    }
}

TEST(BackgroundSheet, SwayingTopFollowsTheWave) {
  tanktest::Gl gl(256, 256);
  tanktest::SetFlatView(256, 256, -128, -128);
  tank::BackgroundSurface surface;
  const tank::TankBox box = tank::ComputeTankBox(1680, 1050);
  for (int i = 0; i < 100; ++i) surface.BuildControlNet(box, 0);
  const double w = surface.waveOffset();
  ASSERT_NEAR(w, 0.8, 1e-4);
  const auto polys = tanktest::CapturePolygons([&] { surface.Draw(); });
  // Top corners are control points of row 0 (columns 0 and 5); the bottom stays put.
  ExpectAt(WithTexCoord(polys, 0, 1), -54 + w, 39, -90 + w);
  ExpectAt(WithTexCoord(polys, 1, 1), 54 + w, 39, -90 - w);
  ExpectAt(WithTexCoord(polys, 0, 0), -54, -38, -90);
  ExpectAt(WithTexCoord(polys, 1, 0), 54, -38, -90);
}

// The texel step bound: exact on the still, flat sheet (whose tessellation maps the picture
// evenly), a little above it while the top sways, and infinite for an eye behind the sheet.
TEST(BackgroundSheet, TexelsPerPixelBoundHoldsTheFlatSheetsDensityAndGrowsWithTheSway) {
  const tank::TankBox box = tank::ComputeTankBox(1920, 1080);
  const double pixel = 0.8 / 1080;  // the shorter side spans 0.8 at distance 1
  tank::BackgroundSurface still;
  still.BuildControlNet(box, 1);
  // 1024 texels across the box's width, 512 up the 77 units from -38 to 39; the sheet lies
  // 80 units in front of the eye.
  const double across = 1024.0 / (box.right - box.left) * 80.0 * pixel;
  EXPECT_GT(across, 512.0 / 77.0 * 80.0 * pixel);
  EXPECT_NEAR(still.MaxTexelsPerPixel(1024, 512, -10.0, pixel), across, across * 1e-6);
  EXPECT_NEAR(still.MaxTexelsPerPixel(2048, 512, -10.0, pixel), 2.0 * across, across * 1e-6);
  EXPECT_NEAR(still.MaxTexelsPerPixel(1024, 512, -10.0, pixel, 8), across, across * 1e-6);

  tank::BackgroundSurface swaying;
  double lowest = 1e9, highest = 0;
  for (int step = 0; step < 400; ++step) {  // a whole swing each way
    swaying.BuildControlNet(box, 0);
    const double bound = swaying.MaxTexelsPerPixel(1024, 512, -10.0, pixel);
    lowest = std::min(lowest, bound);
    highest = std::max(highest, bound);
  }
  EXPECT_GE(lowest, across * (1 - 1e-6));
  EXPECT_GT(highest, across * 1.001);
  EXPECT_LT(highest, across * 1.1);

  EXPECT_TRUE(std::isinf(still.MaxTexelsPerPixel(1024, 512, -95.0, pixel)));
}

}  // namespace
