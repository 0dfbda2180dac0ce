#include "tank/TankBox.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "TankTestGl.h"
#include "settings/SettingsRecord.h"

namespace {

struct Size {
  int w, h;
};

void ExpectBox(const tank::TankBox& b, float halfWidth, float top = 25.0f) {
  EXPECT_FLOAT_EQ(b.left, -halfWidth - 20.0f);
  EXPECT_FLOAT_EQ(b.right, halfWidth + 20.0f);
  EXPECT_FLOAT_EQ(b.top, top);
  EXPECT_FLOAT_EQ(b.bottom, -top);
  EXPECT_FLOAT_EQ(b.back, -50.0f);
}

TEST(TankBox, ListedScreenSizesUseTheirHalfWidths) {
  ExpectBox(tank::ComputeTankBox(800, 600), 29);
  ExpectBox(tank::ComputeTankBox(1024, 768), 29);
  ExpectBox(tank::ComputeTankBox(1280, 960), 29);
  ExpectBox(tank::ComputeTankBox(1280, 1024), 29);
  ExpectBox(tank::ComputeTankBox(1440, 900), 35);
  ExpectBox(tank::ComputeTankBox(1600, 900), 38);
  ExpectBox(tank::ComputeTankBox(1680, 1050), 34);
}

TEST(TankBox, UnlistedSizesTakeTheNearestAspect) {
  ExpectBox(tank::ComputeTankBox(1920, 1080), 38);  // 16:9 like 1600 x 900
  ExpectBox(tank::ComputeTankBox(1366, 768), 38);
  ExpectBox(tank::ComputeTankBox(1920, 1200), 34);  // 16:10, nearer 1680 x 1050 than 1440 x 900
  ExpectBox(tank::ComputeTankBox(1280, 800), 35);   // 16:10, nearer 1440 x 900
  ExpectBox(tank::ComputeTankBox(1600, 1200), 29);  // 4:3
  ExpectBox(tank::ComputeTankBox(0, 0), 29);        // nonsense sizes still give a usable box
}

// Window coordinates of the backdrop's corners under the frame's projection for a screen
// size must lie outside the viewport on every side.
void ExpectBackdropCoversView(int w, int h) {
  SCOPED_TRACE(testing::Message() << w << " x " << h);
  tanktest::Gl gl(8, 8);
  tanktest::SetFrameView(w, h);
  GLdouble model[16], proj[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  const GLint viewport[4] = {0, 0, w, h};
  const tank::TankBox b = tank::ComputeTankBox(w, h);
  GLdouble lx, by, rx, ty, z;
  ASSERT_TRUE(gluProject(2 * b.left, 3 * b.bottom, 3 * b.back, model, proj, viewport, &lx, &by, &z));
  ASSERT_TRUE(gluProject(2 * b.right, 3 * b.top, 3 * b.back, model, proj, viewport, &rx, &ty, &z));
  EXPECT_LT(lx, 0.0);
  EXPECT_GT(rx, w);
  EXPECT_LT(by, 0.0);
  EXPECT_GT(ty, h);
}

TEST(TankBox, BackdropCoversTheViewOnWideAndTallScreens) {
  for (Size s : {Size{800, 600}, Size{1280, 1024}, Size{1440, 900}, Size{1600, 900},
                 Size{1680, 1050}, Size{1920, 1080}, Size{2560, 1080}, Size{3440, 1440},
                 Size{3840, 1080}, Size{5120, 1440}, Size{1080, 1080}, Size{768, 1024},
                 Size{1080, 1920}, Size{600, 1600}})
    ExpectBackdropCoversView(s.w, s.h);
}

class Backdrop : public testing::Test {
 protected:
  void SetUp() override { saved_ = settings::Settings(); }
  void TearDown() override { settings::Settings() = saved_; }
  settings::SettingsRecord saved_;
};

TEST_F(Backdrop, QuadSpansTwiceTheWidthAndThriceTheHeightAtThreeTimesTheBack) {
  tanktest::Gl gl(256, 160);
  settings::Settings().backGuding = 1;
  settings::Settings().backColor = 0x30A010;  // red 0x10, green 0xA0, blue 0x30
  tanktest::SetFlatView(256, 160, -128, -80);
  const tank::TankBox box = tank::ComputeTankBox(1680, 1050);
  const auto polys = tanktest::CapturePolygons([&] { tank::DrawBackdrop(box); });
  ASSERT_FALSE(polys.empty());
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const auto& p : polys)
    for (const auto& v : p) {
      minX = std::min(minX, v.x);
      maxX = std::max(maxX, v.x);
      minY = std::min(minY, v.y);
      maxY = std::max(maxY, v.y);
      EXPECT_NEAR(v.z, -150.0, 0.01);
      EXPECT_NEAR(v.r, 0x10 / 255.0, 1e-3);
      EXPECT_NEAR(v.g, 0xA0 / 255.0, 1e-3);
      EXPECT_NEAR(v.b, 0x30 / 255.0, 1e-3);
    }
  EXPECT_NEAR(minX, -108.0, 0.01);
  EXPECT_NEAR(maxX, 108.0, 0.01);
  EXPECT_NEAR(minY, -75.0, 0.01);
  EXPECT_NEAR(maxY, 75.0, 0.01);

  // Afterwards texturing is back on and the colour is white.
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat c[4];
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(c[0], 1.0f);
  EXPECT_FLOAT_EQ(c[1], 1.0f);
  EXPECT_FLOAT_EQ(c[2], 1.0f);
}

// Renders the backdrop at a small viewport of the screen's shape and checks every pixel.
void ExpectBackdropFillsViewport(Size screen, int viewW, int viewH, bool drawn) {
  SCOPED_TRACE(testing::Message() << screen.w << " x " << screen.h);
  tanktest::Gl gl(viewW, viewH);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glClearColor(0, 0, 0, 0);
  tanktest::SetFrameView(viewW, viewH);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  tank::DrawBackdrop(tank::ComputeTankBox(screen.w, screen.h));
  glFinish();
  int coloured = 0;
  for (int y = 0; y < viewH; ++y)
    for (int x = 0; x < viewW; ++x) {
      const std::uint8_t* p = gl.pixel(x, y);
      if (p[0] == 0x20 && p[1] == 0x40 && p[2] == 0xC0) ++coloured;
    }
  EXPECT_EQ(coloured, drawn ? viewW * viewH : 0);
}

TEST_F(Backdrop, ColourFillsTheWholeViewportForEveryShapeUnlessSwitchedOff) {
  settings::Settings().backGuding = 1;
  settings::Settings().backColor = 0xC04020;
  ExpectBackdropFillsViewport({1024, 768}, 128, 96, true);
  ExpectBackdropFillsViewport({1920, 1080}, 192, 108, true);
  ExpectBackdropFillsViewport({2560, 1080}, 256, 108, true);
  ExpectBackdropFillsViewport({3840, 1080}, 384, 108, true);
  ExpectBackdropFillsViewport({1080, 1920}, 108, 192, true);
  settings::Settings().backGuding = 0;
  ExpectBackdropFillsViewport({1024, 768}, 128, 96, false);
}

}  // namespace
