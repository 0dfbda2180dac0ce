#include "view/SheetTextureFilter.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/OffscreenGl.h"
#include "tank/BackgroundSurface.h"
#include "tank/TankBox.h"
#include "view/Camera.h"

namespace {

// A mipmapped picture of coloured noise, black (transparent) specks included, filtered as the
// background loader filters.
GLuint NoisePicture(int width, int height, unsigned seed) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    seed = seed * 1103515245u + 12345u;
    const bool black = (seed >> 28) == 0;
    for (int c = 0; c < 3; ++c) rgba[i + c] = black ? 0 : static_cast<std::uint8_t>(seed >> (8 + 5 * c));
    rgba[i + 3] = black ? 0 : 255;
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  return texture;
}

GLint MinFilter() {
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  return filter;
}

void FrameView(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  view::ApplyFrustum(width, height);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  view::ApplyCamera();
}

constexpr double kEyeZ = view::kCameraOffset - view::kEyeBehindOffset;

// The scope changes the filter only of a complete mipmapped picture that the sheet only ever
// magnifies, and puts it back.
TEST(SheetTextureFilter, ChangesOnlyACompleteMipmappedPictureThatIsOnlyMagnified) {
  OffscreenGl gl(64, 64);
  tank::BackgroundSurface sheet;
  sheet.BuildControlNet(tank::ComputeTankBox(1920, 1080), 1);
  const GLuint picture = NoisePicture(256, 128, 1);
  {
    const view::SheetFilterScope scope(sheet, kEyeZ, 1920, 1080);
    EXPECT_TRUE(scope.changed());
    EXPECT_EQ(MinFilter(), GL_LINEAR);
  }
  EXPECT_EQ(MinFilter(), GL_LINEAR_MIPMAP_NEAREST);
  {
    const view::SheetFilterScope scope(sheet, kEyeZ, 1920, 1080, false);
    EXPECT_FALSE(scope.changed());
  }

  // The bound at 1920 x 1080 for a 1024-wide picture is about 0.52 texels a pixel; the limit
  // leaves room for the rasterizer's estimate. Just inside and just outside it, by width.
  const double pixel = 0.8 / 1080;
  const double perTexel = sheet.MaxTexelsPerPixel(1, 0, kEyeZ, pixel);  // per texel of width
  const int widest = static_cast<int>(view::kMagnifiedTexelLimit / perTexel);
  EXPECT_LT(sheet.MaxTexelsPerPixel(widest, 1, kEyeZ, pixel), view::kMagnifiedTexelLimit);
  EXPECT_GE(sheet.MaxTexelsPerPixel(widest + 1, 1, kEyeZ, pixel), view::kMagnifiedTexelLimit);
  EXPECT_GT(widest, 1024);
  EXPECT_LT(widest, 2048);
  // A 2048-wide picture is shrunk in places once the rasterizer's estimate is allowed for.
  NoisePicture(2048, 64, 2);
  {
    const view::SheetFilterScope scope(sheet, kEyeZ, 1920, 1080);
    EXPECT_FALSE(scope.changed());
  }
  // The 1024 x 512 default picture on an 800 x 600 screen is shrunk.
  tank::BackgroundSurface small;
  small.BuildControlNet(tank::ComputeTankBox(800, 600), 1);
  NoisePicture(1024, 512, 3);
  {
    const view::SheetFilterScope scope(small, kEyeZ, 800, 600);
    EXPECT_FALSE(scope.changed());
  }

  // Filters without mipmaps stay; a picture without its smaller levels stays (with a mipmap
  // filter it is incomplete, and a plain filter would make it complete).
  glBindTexture(GL_TEXTURE_2D, picture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  {
    const view::SheetFilterScope scope(sheet, kEyeZ, 1920, 1080);
    EXPECT_FALSE(scope.changed());
  }
  GLuint single = 0;
  glGenTextures(1, &single);
  glBindTexture(GL_TEXTURE_2D, single);
  const std::vector<std::uint8_t> white(64 * 32 * 4, 255);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 32, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_FALSE(view::BoundTextureHasAllLevels(64, 32));
  {
    const view::SheetFilterScope scope(sheet, kEyeZ, 1920, 1080);
    EXPECT_FALSE(scope.changed());
  }
  glBindTexture(GL_TEXTURE_2D, picture);
  EXPECT_TRUE(view::BoundTextureHasAllLevels(256, 128));
  glFinish();
}

// The sheet alone, lit and textured as the frame draws it, through a whole wave swing:
// drawn with the changed filter it gives the same pixels as with the mipmapped one. Each
// screen is drawn at a quarter of its size with a picture of a quarter of the 1024 x 512
// default, which keeps the texels per pixel of the full screen with the default picture.
TEST(SheetTextureFilter, TheSheetDrawsTheSamePixelsThroughAWholeWaveSwing) {
  const struct {
    int screenW, screenH, pictureW, pictureH;
    int changedMin, changedMax;  // of the 50 compared builds
  } cases[] = {{1920, 1080, 256, 128, 50, 50},
               {2560, 1440, 256, 128, 50, 50},
               {1280, 1024, 256, 128, 1, 49},  // near the limit: changed on part of the swing
               {800, 600, 256, 128, 0, 0}};
  for (const auto& c : cases) {
    const std::string what = std::to_string(c.screenW) + "x" + std::to_string(c.screenH);
    const int viewW = c.screenW / 4, viewH = c.screenH / 4;
    OffscreenGl gl(viewW, viewH);
    FrameView(viewW, viewH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1, 1, 1, 1);
    NoisePicture(c.pictureW, c.pictureH, 7);
    const tank::TankBox box = tank::ComputeTankBox(c.screenW, c.screenH);
    tank::BackgroundSurface sheet;
    int changedFrames = 0, differing = 0;
    for (int build = 0; build < 400; build += 1) {
      sheet.BuildControlNet(box, 0);
      if (build % 8 != 0) continue;
      std::vector<std::uint8_t> images[2];
      for (int k = 0; k < 2; ++k) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        {
          const view::SheetFilterScope scope(sheet, kEyeZ, viewW, viewH, k == 0);
          changedFrames += scope.changed();
          sheet.Draw();
        }
        glFinish();
        images[k] = gl.pixels();
      }
      differing += images[0] != images[1];
    }
    EXPECT_EQ(differing, 0) << what;
    EXPECT_GE(changedFrames, c.changedMin) << what;
    EXPECT_LE(changedFrames, c.changedMax) << what;
  }
}

}  // namespace
