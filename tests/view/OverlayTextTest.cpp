#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "support/OffscreenGl.h"
#include "view/Camera.h"
#include "view/OverlayText.h"

namespace {

struct Drawn {
  int litPixels = 0;      // pixels the text covered
  float advance = 0.0f;   // x translation the call left on the model-view matrix
  float height = 0.0f;    // height of the covered rows in world units
};

constexpr float kUnitsPerPixel = 0.01f;  // the view below: 2.56 x 2.56 world units

// Draws with a plain orthographic view (world origin near the lower left corner) and reports
// what the text covered and how far it moved the current position.
template <class Draw>
Drawn Measure(OffscreenGl& gl, Draw draw) {
  glViewport(0, 0, gl.width(), gl.height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.2, -0.2 + gl.width() * kUnitsPerPixel, -0.5, -0.5 + gl.height() * kUnitsPerPixel,
          -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  draw();
  glFinish();
  Drawn d;
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  d.advance = m[12];
  int minRow = gl.height(), maxRow = -1;
  for (int y = 0; y < gl.height(); ++y)
    for (int x = 0; x < gl.width(); ++x)
      if (gl.pixel(x, y)[0] > 128) {
        ++d.litPixels;
        minRow = std::min(minRow, y);
        maxRow = std::max(maxRow, y);
      }
  if (maxRow >= minRow) d.height = (maxRow - minRow + 1) * kUnitsPerPixel;
  return d;
}

class GlyphListsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(glyphs.Build()) << "no bold sans font found"; }
  void TearDown() override { glyphs.Release(); }
  OffscreenGl gl{256, 256};
  view::GlyphLists glyphs;
};

TEST_F(GlyphListsTest, EachListDrawsItsGlyphAndAdvancesExceptTheEmptyCode255) {
  const Drawn a = Measure(gl, [&] { glCallList(glyphs.base() + 'A'); });
  EXPECT_GT(a.litPixels, 0);
  EXPECT_GT(a.advance, 0.3f);
  EXPECT_LT(a.advance, 1.2f);

  const Drawn space = Measure(gl, [&] { glCallList(glyphs.base() + ' '); });
  EXPECT_EQ(space.litPixels, 0);
  EXPECT_GT(space.advance, 0.1f);

  const Drawn empty = Measure(gl, [&] { glCallList(glyphs.base() + view::kEmptyGlyph); });
  EXPECT_EQ(empty.litPixels, 0);
  EXPECT_FLOAT_EQ(empty.advance, 0.0f);

  // Latin-1 letters above 127 are real glyphs too.
  const Drawn umlaut = Measure(gl, [&] { glCallList(glyphs.base() + 0xC4); });  // A with diaeresis
  EXPECT_GT(umlaut.litPixels, 0);
  EXPECT_NEAR(umlaut.advance, a.advance, 1e-4f);
}

TEST_F(GlyphListsTest, TextIsAboutOneWorldUnitTallAndTheTitleFitsEveryScreenShape) {
  const float capHeight = Measure(gl, [&] { glyphs.DrawText("H"); }).height;
  EXPECT_GT(capHeight, 0.55f);
  EXPECT_LT(capHeight, 1.0f);

  // The title starts at x = -5.5, 50 units in front of the eye; the narrowest view (a screen
  // taller than wide) is 0.4 * 50 = 20 units wide on each side.
  const Drawn title = Measure(gl, [&] { glyphs.DrawText("%s", "3D Pelavo Zudadudu Zavivizarov 1.0"); });
  EXPECT_GT(title.litPixels, 0);
  EXPECT_GT(-5.5f + title.advance, 10.0f);  // big enough to read
  EXPECT_LT(-5.5f + title.advance, 20.0f);
}

TEST_F(GlyphListsTest, FormattedTextIsCutAt255CharactersAndAMissingFormatDrawsNothing) {
  const float w = Measure(gl, [&] { glyphs.DrawText("W"); }).advance;
  const std::string exact(255, 'W');
  const std::string longer(300, 'W');
  EXPECT_NEAR(Measure(gl, [&] { glyphs.DrawText("%s", exact.c_str()); }).advance, 255 * w, 0.01f);
  EXPECT_NEAR(Measure(gl, [&] { glyphs.DrawText("%s", longer.c_str()); }).advance, 255 * w, 0.01f);
  EXPECT_NEAR(Measure(gl, [&] { glyphs.DrawText("%d-%s", 42, "ab"); }).advance,
              Measure(gl, [&] { glyphs.DrawText("42-ab"); }).advance, 1e-4f);

  const Drawn none = Measure(gl, [&] { glyphs.DrawText(nullptr); });
  EXPECT_EQ(none.litPixels, 0);
  EXPECT_FLOAT_EQ(none.advance, 0.0f);
}

// The overlay's lines through the frame's own projection and camera: the title and the two
// help lines must match the texts drawn at their places, and a fourth line must stand at
// x = -4 two units under the help lines.
TEST(OverlayLines, TitleAndHelpLinesShowAtTheirPlacesWithALastLineBelow) {
  constexpr int kSize = 512;
  OffscreenGl gl(kSize, kSize);
  view::GlyphLists glyphs;
  ASSERT_TRUE(glyphs.Build()) << "no bold sans font found";
  auto render = [&](auto draw) {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    view::ApplyFrustum(kSize, kSize);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    view::ApplyCamera();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glColor4f(1, 1, 1, 1);
    draw();
    glFinish();
    return gl.pixels();
  };
  view::Overlay overlay;
  const auto shown = render([&] { overlay.Step();
    overlay.Draw(glyphs); });
  ASSERT_TRUE(overlay.visible());
  struct Line {
    const char* text;
    float x, y, z;
  };
  const Line lines[] = {{"3D Pelavo Zudadudu Zavivizarov 1.0", -5.5f, 4.0f, -60.0f},
                        {"[Right Click]: Toolbar popup", -4.0f, 1.0f, -60.0f},
                        {"[ESC]: Exit", -4.0f, 0.0f, -60.0f}};
  const auto expected = render([&] {
    for (const Line& l : lines) {
      glPushMatrix();
      glTranslatef(l.x, l.y, l.z);
      glyphs.DrawText("%s", l.text);
      glPopMatrix();
    }
  });
  // Screen place of a world point 50 units in front of the eye.
  auto column = [](double x) { return static_cast<int>((x / 50.0 / 0.4 + 1.0) / 2.0 * kSize); };
  auto row = [](double y) { return static_cast<int>((y / 50.0 / 0.4 + 1.0) / 2.0 * kSize); };
  const int split = row(-1.0);  // between the descenders of line 3 and the top of line 4
  int differing = 0, lit = 0;
  int lastLeft = kSize, lastTop = -1, lastBottom = kSize;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * kSize + x) * 4;
      const bool on = shown[at] > 128;
      if (y > split) {
        lit += on ? 1 : 0;
        if (on != (expected[at] > 128)) ++differing;
      } else if (on) {
        lastLeft = std::min(lastLeft, x);
        lastTop = std::max(lastTop, y);
        lastBottom = std::min(lastBottom, y);
      }
    }
  EXPECT_GT(lit, 1000);
  EXPECT_EQ(differing, 0);
  ASSERT_GE(lastTop, 0) << "no fourth line";
  EXPECT_NEAR(lastLeft, column(-4.0), 4);  // a glyph starts a little right of its origin
  EXPECT_GE(lastLeft, column(-4.0));
  EXPECT_LT(lastTop, row(-1.0));
  EXPECT_GT(lastTop, row(-1.8));
  EXPECT_GE(lastBottom, row(-2.5));
  glyphs.Release();
}

// The overlay through the scene's frames.
TEST(OverlayTiming, ShowsOnFrames1To100AndF1HidesAndResumesTheRemainingFrames) {
  {
    SceneFixture f(320, 200);
    ASSERT_TRUE(f.Start());
    for (int frame = 1; frame <= 130; ++frame) {
      f.scene->RunFrame();
      ASSERT_EQ(f.scene->overlay().visible(), frame <= 100) << "frame " << frame;
    }
    // F1 after it went away shows it for exactly another 100 frames.
    f.scene->ToggleOverlay();
    for (int frame = 1; frame <= 101; ++frame) {
      f.scene->RunFrame();
      ASSERT_EQ(f.scene->overlay().visible(), frame <= 100) << "reshown frame " << frame;
    }
  }
  {
    SceneFixture f(320, 200);
    ASSERT_TRUE(f.Start());
    f.Frames(50);
    EXPECT_TRUE(f.scene->overlay().visible());
    f.scene->ToggleOverlay();  // hides at once
    f.Frames(20);
    EXPECT_FALSE(f.scene->overlay().visible());
    f.scene->ToggleOverlay();  // the remaining 50 frames
    for (int frame = 1; frame <= 51; ++frame) {
      f.scene->RunFrame();
      ASSERT_EQ(f.scene->overlay().visible(), frame <= 50) << "resumed frame " << frame;
    }
  }
}

}  // namespace
