#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "support/OffscreenGl.h"
#include "tank/BackgroundSurface.h"
#include "tank/TankBox.h"
#include "view/BackdropStrips.h"
#include "view/Camera.h"

namespace {

using Slopes = tank::BackgroundSurface::Slopes;

long Area(const view::PixelRect (&strips)[4], int n) {
  long area = 0;
  for (int k = 0; k < n; ++k) area += static_cast<long>(strips[k].width) * strips[k].height;
  return area;
}

bool InStrips(const view::PixelRect (&strips)[4], int n, int x, int y) {
  for (int k = 0; k < n; ++k)
    if (x >= strips[k].x && x < strips[k].x + strips[k].width && y >= strips[k].y &&
        y < strips[k].y + strips[k].height)
      return true;
  return false;
}

TEST(BackdropStrips, FrameTheCoveredPixelsWithoutOverlapAndCoverAllWhenNothingIs) {
  const view::FrustumExtents f = view::ComputeFrustum(200, 100);  // slopes -0.8..0.8, -0.4..0.4
  view::PixelRect strips[4];
  EXPECT_EQ(view::UncoveredStrips(f, 200, 100, Slopes{}, strips), -1);
  EXPECT_EQ(view::UncoveredStrips(f, 200, 100, Slopes{0.9, 1.2, -0.1, 0.1}, strips), -1)
      << "covered slopes to the right of the view";
  EXPECT_EQ(view::UncoveredStrips(f, 200, 100, Slopes{-1, 1, -1, 1}, strips), 0);

  // Covered: x slopes -0.4..0.4 (pixel centres 50.5..149.5 less the safety pixel), all y.
  int n = view::UncoveredStrips(f, 200, 100, Slopes{-0.4, 0.4, -1, 1}, strips);
  ASSERT_EQ(n, 2);
  EXPECT_EQ(strips[0].x, 0);
  EXPECT_EQ(strips[0].width, 51);
  EXPECT_EQ(strips[1].x, 149);
  EXPECT_EQ(strips[1].width, 51);
  EXPECT_EQ(strips[0].height, 100);

  // Every pixel is in at most one strip, and the strips hold every pixel outside the
  // covered slopes.
  const Slopes covered{-0.55, 0.3, -0.2, 0.35};
  n = view::UncoveredStrips(f, 200, 100, covered, strips);
  ASSERT_EQ(n, 4);
  long inside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      int hits = 0;
      for (int k = 0; k < n; ++k)
        hits += InStrips({strips[k]}, 1, x, y);
      EXPECT_LE(hits, 1) << x << "," << y;
      const double sx = -0.8 + (x + 0.5) * 1.6 / 200, sy = -0.4 + (y + 0.5) * 0.8 / 100;
      const bool isCovered = sx >= covered.left && sx <= covered.right &&
                             sy >= covered.bottom && sy <= covered.top;
      if (!isCovered) {
        EXPECT_EQ(hits, 1) << x << "," << y;
      }
      inside += hits;
    }
  EXPECT_EQ(inside, Area(strips, n));
}

// The sheet alone, drawn white over a red clear through the frame's projection for every
// wave offset of a whole swing, must paint every pixel outside the strips.
TEST(BackdropStrips, TheSheetPaintsEveryPixelOutsideThemThroughAWholeWaveSwing) {
  const struct {
    int screenW, screenH, viewW, viewH;
    bool thinStrips;  // the usual screens: the sheet leaves at most thin edges open
  } cases[] = {{1920, 1080, 480, 270, true}, {1280, 1024, 320, 256, true},
               {800, 600, 320, 240, true},   {1440, 900, 320, 200, true},
               {2560, 1080, 512, 216, false}, {600, 800, 240, 320, false}};
  for (const auto& c : cases) {
    const std::string what = std::to_string(c.screenW) + "x" + std::to_string(c.screenH);
    OffscreenGl gl(c.viewW, c.viewH);
    const tank::TankBox box = tank::ComputeTankBox(c.screenW, c.screenH);
    const tank::BackgroundSurface::Slopes covered = tank::BackgroundSurface::CoveredSlopes(
        box, view::kCameraOffset - view::kEyeBehindOffset);
    view::PixelRect strips[4];
    const int n = view::UncoveredStrips(view::ComputeFrustum(c.viewW, c.viewH), c.viewW,
                                        c.viewH, covered, strips);
    ASSERT_GE(n, 0) << what;
    if (c.thinStrips) {
      EXPECT_LT(Area(strips, n), static_cast<long>(c.viewW) * c.viewH / 20) << what;
    }
    EXPECT_LT(tank::BackdropZ(box), tank::BackgroundSurface::FarthestZ()) << what;

    glViewport(0, 0, c.viewW, c.viewH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    view::ApplyFrustum(c.viewW, c.viewH);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    view::ApplyCamera();
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glClearColor(1, 0, 0, 1);
    tank::BackgroundSurface sheet;
    long open = 0;
    for (int build = 0; build < 400; ++build) {  // the wave swings 1.5 each way in 188 steps
      glClear(GL_COLOR_BUFFER_BIT);
      sheet.BuildControlNet(box, 0);
      sheet.Draw();
      glFinish();
      for (int y = 0; y < c.viewH; ++y)
        for (int x = 0; x < c.viewW; ++x)
          if (gl.pixel(x, y)[1] == 0 && !InStrips(strips, n, x, y)) ++open;
    }
    EXPECT_EQ(open, 0) << what << ": pixels outside the strips the sheet left open";
  }
}

}  // namespace
