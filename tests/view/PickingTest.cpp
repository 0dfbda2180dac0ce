#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "SceneFixture.h"
#include "platform/ProcessMemory.h"
#include "ui/CommandId.h"

namespace {

constexpr int kW = 960, kH = 540;
constexpr double kBarDistance = 59.0;  // the bar quads stand at z = -69, the eye at z = -10

// World point on the bar plane under a mouse position (client pixels, y downwards).
void UnderMouse(int mx, int my, double* x, double* y) {
  const double halfX = 0.4 * kW / kH * kBarDistance;
  const double halfY = 0.4 * kBarDistance;
  *x = (mx - kW / 2.0) / (kW / 2.0) * halfX;
  *y = (kH / 2.0 - my) / (kH / 2.0) * halfY;
}

void Click(view::Scene& scene, int x, int y) {
  scene.OnMouseMove(x, y);
  scene.OnLeftDown(x, y);
  scene.OnLeftUp();
}


// A press held over one frame, then released.
void Press(view::Scene& scene, int x, int y) {
  scene.OnMouseMove(x, y);
  scene.OnLeftDown(x, y);
  scene.RunFrame();
  scene.OnLeftUp();
}

// The drop point of a pellet that has been drawn once since its drop.
struct DropPoint {
  float x, y, z;
};
DropPoint DropOf(const tank::FoodPellet& p) {
  // The draw placed it at drop + local - (0, 0.2, 0); the move after it changed local by
  // the fall and a wobble of a few thousandths.
  return {p.worldX() - p.localX(), p.worldY() - (p.localY() + p.fallSpeed()) + 0.2f,
          p.worldZ() - p.localZ()};
}

TEST(PickBars, LieOverTheTankAndDriftBackAndForthAroundItsLeftAndBottomEdges) {
  SceneFixture f(kW, kH);
  f.WriteCounts(0);
  ASSERT_TRUE(f.Start());
  const tank::TankBox box = f.scene->tankBox();
  const view::PickBars& bars = f.scene->pickBars();
  EXPECT_FLOAT_EQ(bars.vertical(0).x, box.left);
  EXPECT_NEAR(bars.vertical(100).x, box.left + 99.0099f, 1e-3f);
  EXPECT_FLOAT_EQ(bars.vertical(50).z, -70.0f);
  const float step = static_cast<int>(box.top - box.bottom) * 0.02f;
  EXPECT_FLOAT_EQ(bars.horizontal(0).y, box.bottom);
  EXPECT_NEAR(bars.horizontal(50).y, box.bottom + 50 * step, 1e-4f);

  f.scene->OnMouseMove(0, 0);
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  float lastX = bars.vertical(0).x, lastY = bars.horizontal(0).y;
  for (int frame = 0; frame < 60; ++frame) {
    f.scene->RunFrame();
    const float x = bars.vertical(0).x, y = bars.horizontal(0).y;
    if (frame == 0) {
      EXPECT_NEAR(x, box.left - 0.1f, 1e-4f);    // x starts downwards
      EXPECT_NEAR(y, box.bottom + 0.1f, 1e-4f);  // y starts upwards
    }
    EXPECT_NEAR(std::fabs(x - lastX), 0.1f, 1e-4f);
    EXPECT_NEAR(std::fabs(y - lastY), 0.1f, 1e-4f);
    lastX = x, lastY = y;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
    // The grid moves as one, except that at a turn bar 0 has moved before the others
    // follow the new direction, which shifts it 0.2 against the rest.
    EXPECT_NEAR(bars.vertical(100).x - x, 99.0099f, 0.201f);
    EXPECT_NEAR(bars.horizontal(50).y - y, 50 * step, 0.201f);
  }
  EXPECT_NEAR(minX, box.left - 1.0f, 0.15f);
  EXPECT_NEAR(maxX, box.left + 1.0f, 0.15f);
  EXPECT_NEAR(minY, box.bottom - 1.0f, 0.15f);
  EXPECT_NEAR(maxY, box.bottom + 1.0f, 0.15f);

  // Outside Feed mode the bars stand still.
  f.scene->SetMode(kCmdZoomIn);
  const float x = bars.vertical(0).x;
  f.Frames(3);
  EXPECT_EQ(bars.vertical(0).x, x);
}

// Every Feed frame runs two selection passes; thousands of them must not grow the process
// (the GL once kept its immediate-mode buffer whenever it filled inside a selection pass,
// about 10 kB a frame here). The bubbles fill that buffer between picks. Each frame waits
// for the GL as the window does before its buffer swap: otherwise the rasterizer piles up
// frames until its queue is full, a one-time step of some 36 MB that is not a leak.
TEST(PickBars, PickingEveryFrameForThousandsOfFramesKeepsMemoryFlat) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer holds freed memory back, so resident size grows anyway";
#endif
  SceneFixture f(160, 120);
  f.WriteCounts(0, "BACKGROUND=1\n");  // bars and bubbles: no fish or sheet
  ASSERT_TRUE(f.Start());
  f.scene->OnMouseMove(80, 60);
  f.FinishedFrames(300);
  const long before = platform::ResidentKb();
  f.FinishedFrames(2000);
  EXPECT_LT(platform::ResidentKb() - before, 4 * 1024);
}

TEST(FeedClick, DropsAPelletTwoBelowThePointUnderTheCursorAtDepth70) {
  SceneFixture f(kW, kH);
  f.WriteCounts(0);  // no pool fish to eat or push the food
  ASSERT_TRUE(f.Start());
  f.Frames(2);
  ASSERT_EQ(f.scene->Mode(), kCmdFeed);

  const int mice[][2] = {{kW / 2, kH / 2}, {kW * 3 / 4, kH / 4}, {kW / 5, kH * 4 / 5}};
  for (int k = 0; k < 3; ++k) {
    Click(*f.scene, mice[k][0], mice[k][1]);
    EXPECT_TRUE(f.scene->feedClickPending());
    f.scene->RunFrame();
    EXPECT_FALSE(f.scene->feedClickPending());
    ASSERT_EQ(f.scene->activePellets(), k + 1);
    ASSERT_TRUE(f.scene->pellet(k).IsActive());
    f.scene->RunFrame();  // drawn once: its world position is known
    double ex, ey;
    UnderMouse(mice[k][0], mice[k][1], &ex, &ey);
    const DropPoint d = DropOf(f.scene->pellet(k));
    // The first bar touching the 15-pixel pick square wins: it may lie up to half the
    // square (0.66 units here) plus half a bar away.
    EXPECT_NEAR(d.x, ex, 1.2) << "mouse " << mice[k][0] << "," << mice[k][1];
    EXPECT_NEAR(d.y, ey - 2.0, 1.2) << "mouse " << mice[k][0] << "," << mice[k][1];
    EXPECT_NEAR(d.z, -70.0f, 0.01f);
  }
}

// The point on the bars' plane under a cursor, through the projection and camera the frame
// drew with (read back from the GL after a frame).
struct FrameView {
  GLdouble model[16], proj[16];
  GLint viewport[4];
  FrameView() {
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
  }
  void UnderCursor(double mx, double my, double* x, double* y) const {
    const double wy = viewport[3] - my;
    double nx, ny, nz, fx, fy, fz;
    gluUnProject(mx, wy, 0.0, model, proj, viewport, &nx, &ny, &nz);
    gluUnProject(mx, wy, 1.0, model, proj, viewport, &fx, &fy, &fz);
    const double t = (kBarPlaneZ - nz) / (fz - nz);
    *x = nx + t * (fx - nx);
    *y = ny + t * (fy - ny);
  }
  static constexpr double kBarPlaneZ = -69.0;  // the bar quads stand 1 before their points
};

// A feed click lands on the first bar, in index order (left to right, bottom to top), that
// touches the 15-pixel pick square around the cursor: its centre lies at least half the
// square and half a bar (0.5) before the point under the cursor, and less than one bar
// spacing beyond that. Near the corners of the screen this tells the frame's own frustum
// from any other: a pick through a 45-degree one lands over a unit off there on a wide
// screen, and several units off on a tall one.
TEST(FeedClick, LandsUnderTheCursorNearEveryCornerOfAWideAndATallScreen) {
  struct Screen {
    int w, h, insetX, insetY;
  };
  // On the tall screen the tank box (by the nearest listed aspect, grown to cover the view)
  // ends short of the top and bottom edges: its corners lie about 150 pixels in.
  for (const Screen sc : {Screen{1680, 1050, 40, 40}, Screen{1050, 1680, 40, 200}}) {
    SceneFixture f(sc.w, sc.h);
    f.WriteCounts(0);
    ASSERT_TRUE(f.Start());
    f.scene->ToggleOverlay();
    f.Frames(2);
    const FrameView view;
    const tank::TankBox box = f.scene->tankBox();
    const view::PickBars& bars = f.scene->pickBars();
    const float spacingX = bars.vertical(51).x - bars.vertical(50).x;
    const float spacingY = bars.horizontal(26).y - bars.horizontal(25).y;
    double cx, cy, edgeX, edgeY;
    view.UnderCursor(sc.w / 2.0, sc.h / 2.0, &cx, &cy);
    view.UnderCursor(sc.w / 2.0 + 7.5, sc.h / 2.0 - 7.5, &edgeX, &edgeY);
    const double reach = (edgeX - cx) + 0.5;  // half the square and half a bar
    ASSERT_NEAR(edgeY - cy, edgeX - cx, 1e-6);
    const double eps = 0.02;

    const int mice[4][2] = {{sc.insetX, sc.insetY},
                            {sc.w - sc.insetX, sc.insetY},
                            {sc.insetX, sc.h - sc.insetY},
                            {sc.w - sc.insetX, sc.h - sc.insetY}};
    for (int k = 0; k < 4; ++k) {
      const std::string at = std::to_string(sc.w) + "x" + std::to_string(sc.h) + " mouse " +
                             std::to_string(mice[k][0]) + "," + std::to_string(mice[k][1]);
      double ex, ey;
      view.UnderCursor(mice[k][0], mice[k][1], &ex, &ey);
      ASSERT_TRUE(box.left < ex && ex < box.right && box.bottom < ey && ey < box.top) << at;
      Click(*f.scene, mice[k][0], mice[k][1]);
      f.scene->RunFrame();
      ASSERT_EQ(f.scene->activePellets(), k + 1) << at;
      f.scene->RunFrame();  // drawn once: its world position is known
      const DropPoint d = DropOf(f.scene->pellet(k));
      EXPECT_GE(d.x, ex - reach - eps) << at;
      EXPECT_LT(d.x, ex - reach + spacingX + eps) << at;
      EXPECT_GE(d.y + 2.0, ey - reach - eps) << at;
      EXPECT_LT(d.y + 2.0, ey - reach + spacingY + eps) << at;
    }
  }
}

// The food lands at the latched pick itself, exactly 2 below it; the pick holds bars under the
// cursor over the whole height of the view, so a click in the tank's top rows drops too.
TEST(FeedClick, FoodLandsExactlyTwoBelowTheLatchedPickAlsoInTheTopRowsOfTheTank) {
  SceneFixture f(kW, kH);
  f.WriteCounts(0);
  ASSERT_TRUE(f.Start());
  f.Frames(2);
  const tank::TankBox box = f.scene->tankBox();
  const double halfY = 0.4 * kBarDistance;
  // A world height 2 under the top of the tank, or near the top of the view if that is lower.
  const double topY = std::min(static_cast<double>(box.top) - 2.0, halfY - 1.0);
  ASSERT_GT(topY, box.top - 10.0) << "the view does not reach the tank's top rows";
  const int topRow = static_cast<int>(kH / 2.0 - topY / halfY * (kH / 2.0));
  const int mice[][2] = {{kW / 2, kH / 2}, {kW / 3, topRow}, {kW * 4 / 5, kH * 3 / 4}};
  const view::PickBars& bars = f.scene->pickBars();
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    Click(*f.scene, mice[k][0], mice[k][1]);
    f.scene->RunFrame();
    ASSERT_EQ(f.scene->activePellets(), k + 1) << "the click dropped no food";
    f.scene->RunFrame();
    const DropPoint d = DropOf(f.scene->pellet(k));
    EXPECT_NEAR(d.x, bars.latchedX(), 0.005);
    EXPECT_NEAR(d.y, bars.latchedY() - 2.0, 0.005);
    EXPECT_NEAR(d.z, -70.0, 0.005);
    double ex, ey;
    UnderMouse(mice[k][0], mice[k][1], &ex, &ey);
    EXPECT_NEAR(bars.latchedX(), ex, 1.2);
    EXPECT_NEAR(bars.latchedY(), ey, 1.2);
  }
}

TEST(FeedClick, TheTwentyFirstClickDropsNothingAndOtherModesNeverDrop) {
  SceneFixture f(kW, kH);
  f.WriteCounts(0);
  ASSERT_TRUE(f.Start());
  for (int k = 0; k < 20; ++k) {
    Click(*f.scene, kW / 2 + k * 5, kH / 2);
    f.scene->RunFrame();
  }
  ASSERT_EQ(f.scene->activePellets(), 20);
  Click(*f.scene, kW / 2, kH / 3);
  f.scene->RunFrame();
  EXPECT_FALSE(f.scene->feedClickPending()) << "the click is used up without a drop";
  EXPECT_EQ(f.scene->activePellets(), 20);

  SceneFixture g(kW, kH);
  g.WriteCounts(0);
  ASSERT_TRUE(g.Start());
  for (int mode : {kCmdTouch, kCmdZoomIn, kCmdZoomOut}) {
    g.scene->SetMode(mode);
    Click(*g.scene, kW / 2, kH / 2);
    EXPECT_FALSE(g.scene->feedClickPending());
    g.Frames(3);
  }
  // A click left pending in Feed mode waits while another mode is on.
  g.scene->SetMode(kCmdFeed);
  g.scene->OnLeftDown(kW / 2, kH / 2);
  g.scene->SetMode(kCmdTouch);
  g.scene->OnMouseMove(kW / 2, kH / 2);
  g.Frames(3);
  EXPECT_EQ(g.scene->activePellets(), 0);
  EXPECT_TRUE(g.scene->feedClickPending());
  g.scene->SetMode(kCmdFeed);
  g.Frames(1);
  EXPECT_EQ(g.scene->activePellets(), 1);
}

class FishPickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteCounts(10);
    ASSERT_TRUE(f.Start());
    f.Frames(101);  // every pool fish shown
    // Everyone but fish 3 and 7 swims far from the middle of the screen.
    for (int i = 0; i < 100; ++i) {
      auto& fish = f.scene->poolFish(i);
      fish.x = -45.0f + (i % 5);
      fish.y = -15.0f + (i % 7);
      fish.z = -60.0f;
    }
    for (int i : {3, 7}) {
      auto& fish = f.scene->poolFish(i);
      fish.x = 0.0f, fish.y = 0.0f, fish.z = -70.0f;
      fish.heading = fish.targetHeading = 0.0f;
      fish.speed = 0.1f;
      fish.size = 5;
    }
  }
  SceneFixture f{kW, kH};
};

TEST_F(FishPickTest, OfTwoOverlappingFishTheLowerPoolIndexIsPickedAndResized) {
  f.scene->SetMode(kCmdZoomOut);
  Click(*f.scene, kW / 2, kH / 2);  // released before any frame: nothing is picked
  f.scene->RunFrame();
  EXPECT_EQ(f.scene->poolFish(3).size, 5);
  Press(*f.scene, kW / 2, kH / 2);
  EXPECT_EQ(f.scene->lastPickedFish(), 3);
  EXPECT_EQ(f.scene->poolFish(3).size, 3);
  EXPECT_EQ(f.scene->poolFish(7).size, 5);

  f.scene->SetMode(kCmdZoomIn);
  for (int k = 0; k < 3; ++k) Press(*f.scene, kW / 2, kH / 2);
  EXPECT_EQ(f.scene->poolFish(3).size, 8);  // 3 -> 5 -> 7 -> 8, kept at most 8
  EXPECT_EQ(f.scene->poolFish(7).size, 5);
}

TEST_F(FishPickTest, TouchSpeedsTheFishUpAndTheButtonIsReleasedByTheNextFrame) {
  f.scene->SetMode(kCmdTouch);
  Click(*f.scene, kW / 2, kH / 2);
  EXPECT_TRUE(f.scene->buttonDown()) << "in Touch mode the release leaves the button down";
  EXPECT_EQ(f.scene->CursorId(), 159);
  f.scene->RunFrame();
  EXPECT_FALSE(f.scene->buttonDown());
  EXPECT_EQ(f.scene->CursorId(), 158);
  EXPECT_EQ(f.scene->lastPickedFish(), 3);
  EXPECT_FLOAT_EQ(f.scene->poolFish(3).speed, 0.3f);

  // A touch where no fish swims is used up all the same.
  Click(*f.scene, kW - 5, 5);
  EXPECT_TRUE(f.scene->buttonDown());
  f.scene->RunFrame();
  EXPECT_FALSE(f.scene->buttonDown());
  EXPECT_EQ(f.scene->lastPickedFish(), -1);

  // In the other modes the release itself lifts the button.
  f.scene->SetMode(kCmdZoomIn);
  f.scene->OnLeftDown(kW - 5, 5);
  EXPECT_EQ(f.scene->CursorId(), 177);
  f.scene->OnLeftUp();
  EXPECT_FALSE(f.scene->buttonDown());
  EXPECT_EQ(f.scene->CursorId(), 167);
  f.scene->SetMode(kCmdAddDeleteFish);
  EXPECT_EQ(f.scene->CursorId(), 0);
}

}  // namespace
