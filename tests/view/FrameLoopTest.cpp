#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "SceneFixture.h"
#include "settings/SlideshowModel.h"

namespace {

TEST(FrameLoop, ProjectionKeepsTheShorterSideAt0Point8AndTheViewportIsTheScreen) {
  struct Case {
    int w, h;
    double halfX, halfY;
  };
  for (const Case c : {Case{320, 180, 0.4 * 320 / 180, 0.4}, Case{180, 320, 0.4, 0.4 * 320 / 180},
                       Case{200, 200, 0.4, 0.4}}) {
    SceneFixture f(c.w, c.h);
    ASSERT_TRUE(f.Start());
    f.Frames(1);
    GLdouble p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    // glFrustum with near 1: p[0] = 2 / (right - left), p[5] = 2 / (top - bottom).
    EXPECT_NEAR(p[0], 1.0 / c.halfX, 1e-6) << c.w << "x" << c.h;
    EXPECT_NEAR(p[5], 1.0 / c.halfY, 1e-6) << c.w << "x" << c.h;
    EXPECT_NEAR(p[8], 0.0, 1e-9);  // symmetric
    EXPECT_NEAR(p[10], -1001.0 / 999.0, 1e-6);  // near 1, far 1000
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], c.w);
    EXPECT_EQ(viewport[3], c.h);
    // The camera: eye at z = -10 looking down -z.
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[14], 10.0, 1e-9);
    EXPECT_NEAR(m[0], 1.0, 1e-9);
    EXPECT_NEAR(m[10], 1.0, 1e-9);
  }
}

TEST(FrameLoop, LightGreyLevelFollowsTheDimmingSetting) {
  for (const auto& [dim, grey] : {std::pair{0, 1.0f}, {100, 0.0f}, {37, 0.63f}}) {
    SceneFixture f(160, 100);
    f.WriteCounts(1, "LIGHTQIANGDU=" + std::to_string(dim) + "\n");
    ASSERT_TRUE(f.Start());
    f.Frames(1);
    GLfloat ambient[4], diffuse[4];
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(ambient[c], grey, 1e-6) << "dimming " << dim;
      EXPECT_NEAR(diffuse[c], grey, 1e-6) << "dimming " << dim;
    }
    EXPECT_FLOAT_EQ(ambient[3], 1.0f);
    EXPECT_FLOAT_EQ(diffuse[3], 1.0f);
  }
}

TEST(FrameLoop, PoolFishAppearOnePerFrameAfterStartup) {
  SceneFixture f(160, 100);
  f.WriteCounts(10);
  ASSERT_TRUE(f.Start());
  // Every draw advances a fish's turn counter from 0, so it tells which fish were drawn.
  f.Frames(1);
  EXPECT_EQ(f.scene->revealCount(), 1);
  EXPECT_EQ(f.scene->poolFish(0).turnTick, 1);
  EXPECT_EQ(f.scene->poolFish(1).turnTick, 1);
  EXPECT_EQ(f.scene->poolFish(2).turnTick, 0);
  f.Frames(1);
  EXPECT_EQ(f.scene->poolFish(1).turnTick, 2);
  EXPECT_EQ(f.scene->poolFish(2).turnTick, 1);
  EXPECT_EQ(f.scene->poolFish(3).turnTick, 0);
  // A draw also records the species it drew: fish 99 (species 9) first shows in frame 99.
  f.Frames(96);
  EXPECT_EQ(f.scene->revealCount(), 98);
  EXPECT_EQ(f.scene->poolFish(98).species, 9);
  EXPECT_EQ(f.scene->poolFish(99).species, 0);
  f.Frames(1);
  EXPECT_EQ(f.scene->poolFish(99).species, 9);
  f.Frames(20);
  EXPECT_EQ(f.scene->revealCount(), 100);
}

TEST(FrameLoop, WithAllCountsZeroNoPoolFishMovesButTheBigFishDo) {
  SceneFixture f(160, 100);
  f.WriteCounts(0);
  ASSERT_TRUE(f.Start());
  float before[100][3];
  for (int i = 0; i < 100; ++i) {
    const auto& p = f.scene->poolFish(i);
    before[i][0] = p.x, before[i][1] = p.y, before[i][2] = p.z;
  }
  const float largeX = f.scene->largeFish(0).x, largeZ = f.scene->largeFish(0).z;
  const float slowX = f.scene->slowFish(1).x, slowZ = f.scene->slowFish(1).z;
  f.Frames(120);
  for (int i = 0; i < 100; ++i) {
    const auto& p = f.scene->poolFish(i);
    EXPECT_EQ(p.x, before[i][0]) << i;
    EXPECT_EQ(p.y, before[i][1]) << i;
    EXPECT_EQ(p.z, before[i][2]) << i;
    EXPECT_EQ(p.turnTick, 0) << i;
  }
  EXPECT_TRUE(f.scene->largeFish(0).x != largeX || f.scene->largeFish(0).z != largeZ);
  EXPECT_TRUE(f.scene->slowFish(1).x != slowX || f.scene->slowFish(1).z != slowZ);
}

// With the background sheet, the bubbles and the text out of the way, the black backdrop
// is all that is left behind the fish: a lit pixel where a fish stands shows the fish.
TEST(FrameLoop, ARenderedFrameShowsTheFish) {
  SceneFixture f(480, 270);
  f.WriteCounts(10, "BACKGROUND=1\nQIPAONUM=110\n");
  ASSERT_TRUE(f.Start());
  f.scene->ToggleOverlay();
  f.Frames(101);
  glFinish();

  int lit = 0;
  for (int y = 0; y < f.gl.height(); ++y)
    for (int x = 0; x < f.gl.width(); ++x) {
      const std::uint8_t* p = f.gl.pixel(x, y);
      if (p[0] + p[1] + p[2] > 30) ++lit;
    }
  EXPECT_GT(lit, f.gl.width() * f.gl.height() / 100) << "the frame is (nearly) all black";

  GLdouble model[16], proj[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  glGetIntegerv(GL_VIEWPORT, viewport);
  int onScreen = 0, shown = 0;
  for (int i = 0; i < 100; ++i) {
    const auto& fish = f.scene->poolFish(i);
    GLdouble wx, wy, wz;
    gluProject(fish.x, fish.y, fish.z, model, proj, viewport, &wx, &wy, &wz);
    const int px = static_cast<int>(wx), py = static_cast<int>(wy);
    if (px < 1 || py < 1 || px >= f.gl.width() - 1 || py >= f.gl.height() - 1) continue;
    ++onScreen;
    bool any = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const std::uint8_t* p = f.gl.pixel(px + dx, py + dy);
        any = any || p[0] + p[1] + p[2] > 30;
      }
    shown += any ? 1 : 0;
  }
  EXPECT_GT(onScreen, 50);
  EXPECT_GE(shown, onScreen * 9 / 10) << shown << " of " << onScreen << " fish visible";
}

}  // namespace

namespace {

struct Spread {
  int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
  int widest() const {
    int w = 0;
    for (int c = 0; c < 3; ++c) w = std::max(w, high[c] - low[c]);
    return w;
  }
};

// The colours of the middle half of the view, where only the background sheet shows once the
// fish, bubbles, food and text are out of the way.
Spread MiddleSpread(SceneFixture& f) {
  Spread s;
  for (int y = f.gl.height() / 4; y < f.gl.height() * 3 / 4; ++y)
    for (int x = f.gl.width() / 4; x < f.gl.width() * 3 / 4; ++x) {
      const std::uint8_t* p = f.gl.pixel(x, y);
      for (int c = 0; c < 3; ++c) {
        s.low[c] = std::min<int>(s.low[c], p[c]);
        s.high[c] = std::max<int>(s.high[c], p[c]);
      }
    }
  return s;
}

// Puts the large and slow fish behind the eye, out of the picture, for one frame.
void FishOutOfSight(view::Scene& scene) {
  for (int i = 0; i < fish::kLargeFishCount; ++i) scene.largeFish(i).z = 100.0f;
  for (int i = 0; i < fish::kSlowFishCount; ++i) scene.slowFish(i).z = 100.0f;
}

}  // namespace

// With own pictures on but none to show (an empty list, or after Remove All: the current
// picture is 0 or -1), the sheet carries no picture at all: one plain colour, where the
// default picture shows its pattern. The texture it then binds, the default one, holds no
// image.
TEST(FrameLoop, OwnPicturesOnWithNoneChosenLeaveTheSheetWithoutAPicture) {
  SceneFixture f(480, 270);
  f.WriteCounts(0, "QIPAONUM=110\n");  // no pool fish, no bubbles
  ASSERT_TRUE(f.Start());
  f.scene->ToggleOverlay();
  settings::SlideshowModel slideshow([](const std::string&) { return GLuint{0}; },
                                     [](GLuint) {});
  f.scene->ShowPicturesOf(&slideshow);

  f.Frames(1);  // the fog of the first frame ends with it
  FishOutOfSight(*f.scene);
  f.Frames(1);
  glFinish();
  EXPECT_GT(MiddleSpread(f).widest(), 60) << "the default picture shows";

  slideshow.SetOwnImage(true);
  slideshow.Tick();  // the lamp counts from here: on, with no picture yet
  for (int none : {-1, 0}) {
    if (none == 0) slideshow.RemoveAll();
    ASSERT_TRUE(slideshow.CustomImageOn());
    ASSERT_EQ(slideshow.CurrentTexture(), none);
    FishOutOfSight(*f.scene);
    f.Frames(1);
    glFinish();
    const Spread s = MiddleSpread(f);
    EXPECT_LE(s.widest(), 2) << "current picture " << none << ": the sheet shows a picture";
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  GLint width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 0);
  f.scene->ShowPicturesOf(nullptr);
}
