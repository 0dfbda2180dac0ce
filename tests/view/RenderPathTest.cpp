#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "fish/GeneratedPart.h"
#include "fish/WaveGenerator.h"
#include "platform/CrtRand.h"
#include "ui/CommandId.h"

// The fish reach the GL either one call per vertex (quad strips) or through the batched
// vertex arrays. Both must draw the same pixels and pick the same fish, frame after frame,
// for the whole scene.
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kFrames = 30;
constexpr int kCompareFrames[] = {1, 2, 15, 30};  // the first ones still draw fog and blend

struct PathRun {
  std::vector<std::vector<std::uint8_t>> images;  // one per compared frame
  std::vector<int> picks;                          // the fish each touch frame picked
  float fishX[100] = {};
};

struct RunOptions {
  bool immediate = false;
  bool alwaysDrawBackdrop = false;
  bool keepSheetFilter = false;
  bool sharedRows = true;
  bool plainOverlay = false;
  int frames = kFrames;
  int compareEvery = 0;  // 0: the frames of kCompareFrames; n: every n-th frame
  int width = kWidth;
  int height = kHeight;
  long backdropPixels = 0;  // filled in: the pixels the backdrop was drawn over
  int sheetFilterFrames = 0;  // filled in: frames that drew the sheet by its magnification filter
};

PathRun RenderWith(RunOptions& options) {
  // Every global the scene draws from starts over, so both runs see the same sequence.
  crt::setRandState(1);
  fish::SlowFishSharedWaves().Reset();
  fish::SetImmediateMode(options.immediate);
  fish::SetSharedRows(options.sharedRows);
  PathRun run;
  const int kWidth = options.width, kHeight = options.height;
  SceneFixture f(kWidth, kHeight);
  f.WriteCounts(10);
  EXPECT_TRUE(f.Start());
  f.scene->SetAlwaysDrawBackdrop(options.alwaysDrawBackdrop);
  f.scene->SetKeepSheetFilter(options.keepSheetFilter);
  f.scene->SetPlainOverlay(options.plainOverlay);
  view::PixelRect strips[4];
  const int n = f.scene->BackdropStrips(strips);
  options.backdropPixels = static_cast<long>(kWidth) * kHeight;
  if (n >= 0) {
    options.backdropPixels = 0;
    for (int k = 0; k < n; ++k) options.backdropPixels += static_cast<long>(strips[k].width) * strips[k].height;
  }
  // Feed mode with the cursor over the tank picks bars every frame; a click drops food.
  f.scene->OnMouseMove(kWidth / 2, kHeight / 2);
  f.scene->OnLeftDown(kWidth / 2, kHeight / 2);
  f.scene->OnLeftUp();
  int next = 0;
  for (int frame = 1; frame <= options.frames; ++frame) {
    if (frame == 20) f.scene->SetMode(kCmdTouch);
    if (frame > 20) {
      // Touch clicks over several spots: each frame picks through the fish draws.
      const int x = kWidth / 3 + frame * 41 % (kWidth / 3);
      const int y = kHeight / 3 + frame * 29 % (kHeight / 3);
      f.scene->OnMouseMove(x, y);
      f.scene->OnLeftDown(x, y);
      f.scene->OnLeftUp();
    }
    f.scene->RunFrame();
    options.sheetFilterFrames += f.scene->sheetFilterChanged();
    if (frame > 20) run.picks.push_back(f.scene->lastPickedFish());
    if (options.compareEvery > 0 ? frame % options.compareEvery == 0
                                 : next < static_cast<int>(std::size(kCompareFrames)) &&
                                       kCompareFrames[next] == frame) {
      glFinish();
      run.images.push_back(f.gl.pixels());
      ++next;
    }
  }
  for (int i = 0; i < 100; ++i) run.fishX[i] = f.scene->poolFish(i).x;
  fish::SetImmediateMode(false);
  fish::SetSharedRows(true);
  return run;
}

void ExpectSameImages(const PathRun& a, const PathRun& b, const char* what) {
  ASSERT_GT(a.images.size(), 0u) << what;
  ASSERT_EQ(b.images.size(), a.images.size()) << what;
  for (std::size_t k = 0; k < a.images.size(); ++k) {
    const auto& x = a.images[k];
    const auto& y = b.images[k];
    ASSERT_EQ(x.size(), y.size());
    long differing = 0;
    int worst = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
      const int d = std::abs(static_cast<int>(x[i]) - static_cast<int>(y[i]));
      if (d > 0) ++differing;
      if (d > worst) worst = d;
    }
    EXPECT_EQ(differing, 0) << what << ", compared frame " << k << ": " << differing
                            << " channels differ, by up to " << worst;
  }
}

TEST(RenderPath, ArraysDrawTheSamePixelsAndPickTheSameFishAsImmediateMode) {
  RunOptions immediateRun, arraysRun;
  immediateRun.immediate = true;
  const PathRun immediate = RenderWith(immediateRun);
  const PathRun arrays = RenderWith(arraysRun);
  ExpectSameImages(immediate, arrays, "immediate against arrays");
  // The picture is not empty: fish, background and backdrop cover most of it.
  long lit = 0;
  for (std::size_t i = 0; i < arrays.images.back().size(); i += 4)
    lit += arrays.images.back()[i] + arrays.images.back()[i + 1] + arrays.images.back()[i + 2] > 0;
  EXPECT_GT(lit, kWidth * kHeight / 2);
  EXPECT_EQ(arrays.picks, immediate.picks);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(arrays.fishX[i], immediate.fishX[i]) << "fish " << i;
}

// The backdrop is drawn only in the strips of the view the background sheet may leave
// open; the frames must not change by one pixel, on wide, square and tall screens alike.
TEST(RenderPath, DrawingTheBackdropOnlyWhereTheSheetMayNotCoverItChangesNoPixel) {
  const int sizes[][2] = {{1920, 1080}, {1280, 1024}, {800, 600}, {600, 800}};
  for (const auto& size : sizes) {
    RunOptions strips, whole;
    strips.width = whole.width = size[0];
    strips.height = whole.height = size[1];
    whole.alwaysDrawBackdrop = true;
    const PathRun a = RenderWith(strips);
    const PathRun b = RenderWith(whole);
    const std::string what = std::to_string(size[0]) + "x" + std::to_string(size[1]);
    const long all = static_cast<long>(size[0]) * size[1];
    EXPECT_EQ(whole.backdropPixels, all) << what;
    // On wide and square screens the sheet leaves at most thin edges open.
    if (size[0] >= size[1]) {
      EXPECT_LT(strips.backdropPixels, all / 20) << what;
    }
    ExpectSameImages(a, b, what.c_str());
    EXPECT_EQ(a.picks, b.picks) << what;
  }
}

// Where the background picture is only ever magnified, the sheet is drawn with its
// minification filter set to the magnification filter; the frames must not change.
TEST(RenderPath, DrawingAMagnifiedSheetWithoutMipmapsChangesNoPixel) {
  const int sizes[][2] = {{1920, 1080}, {1280, 1024}, {800, 600}, {600, 800}};
  for (const auto& size : sizes) {
    RunOptions changed, kept;
    changed.width = kept.width = size[0];
    changed.height = kept.height = size[1];
    kept.keepSheetFilter = true;
    const PathRun a = RenderWith(changed);
    const PathRun b = RenderWith(kept);
    const std::string what = std::to_string(size[0]) + "x" + std::to_string(size[1]);
    EXPECT_EQ(kept.sheetFilterFrames, 0) << what;
    // The 1024 x 512 default picture is magnified on a 1920 x 1080 screen, shrunk on
    // 800 x 600 ones.
    if (size[0] == 1920) {
      EXPECT_EQ(changed.sheetFilterFrames, kFrames) << what;
    }
    if (size[0] * size[1] == 800 * 600) {
      EXPECT_EQ(changed.sheetFilterFrames, 0) << what;
    }
    ExpectSameImages(a, b, what.c_str());
  }
}

// The overlay (shown on the first 100 frames) drawn from its compiled lines without the
// glyphs' far faces gives the same frames as glyph by glyph with every face.
TEST(RenderPath, TheCompiledOverlayWithoutItsFarFacesChangesNoPixel) {
  const int sizes[][2] = {{1920, 1080}, {2560, 1080}, {800, 600}, {600, 800}};
  for (const auto& size : sizes) {
    RunOptions compiled, plain;
    compiled.width = plain.width = size[0];
    compiled.height = plain.height = size[1];
    plain.plainOverlay = true;
    const PathRun a = RenderWith(compiled);
    const PathRun b = RenderWith(plain);
    const std::string what = std::to_string(size[0]) + "x" + std::to_string(size[1]);
    ExpectSameImages(a, b, what.c_str());
  }
}

// The batched parts write each row their strips share once; over a long run with turning
// fish, food and touches, on wide and tall screens, the frames and picks must stay the same
// as with every strip's rows written apart.
TEST(RenderPath, SharingTheStripsRowsChangesNoPixel) {
  const int sizes[][3] = {{1920, 1080, 60}, {800, 600, 120}, {600, 800, 120}};
  for (const auto& size : sizes) {
    RunOptions shared, apart;
    shared.width = apart.width = size[0];
    shared.height = apart.height = size[1];
    shared.frames = apart.frames = size[2];
    shared.compareEvery = apart.compareEvery = 6;
    apart.sharedRows = false;
    const PathRun a = RenderWith(shared);
    const PathRun b = RenderWith(apart);
    const std::string what = std::to_string(size[0]) + "x" + std::to_string(size[1]);
    ExpectSameImages(a, b, what.c_str());
    EXPECT_EQ(a.picks, b.picks) << what;
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.fishX[i], b.fishX[i]) << what << " fish " << i;
  }
}

// Strips emitted with no batch open draw at once, and a batch draws on closing; either way
// the last vertex's normal and texture coordinate stay current, as after glEnd.
TEST(RenderPath, UnbatchedStripsDrawAtOnceAndLeaveTheLastVertexCurrent) {
  OffscreenGl gl(64, 64);
  static const float vertices[] = {-0.5f, -0.5f, 0, 0.5f, -0.5f, 0,  // row 0
                                   -0.5f, 0.5f,  0, 0.5f, 0.5f,  0};  // row 1
  static const float normals[] = {0, 0, 1, 0, 0, 1, 0, 1, 0, 0.6f, 0, 0.8f};
  static const float texcoords[] = {0, 0, 1, 0, 0, 1, 0.25f, 0.75f};
  static const int strips[] = {0, 1};
  const fish::models::PartModel part{2, 2, vertices, normals, texcoords, 1, strips, 0};
  float m[16];
  fish::SetPartAngle(m, 0.0f);
  for (const bool immediate : {true, false}) {
    fish::SetImmediateMode(immediate);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glNormal3f(1, 0, 0);
    glTexCoord2f(9, 9);
    const fish::PartCopy copy(part, 1.0f);
    copy.EmitStrip(m, 0);
    glFinish();
    GLfloat normal[4], texcoord[4];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texcoord);
    EXPECT_FLOAT_EQ(normal[0], 0.6f) << immediate;
    EXPECT_FLOAT_EQ(normal[2], 0.8f) << immediate;
    EXPECT_FLOAT_EQ(texcoord[0], 0.25f) << immediate;
    EXPECT_FLOAT_EQ(texcoord[1], 0.75f) << immediate;
    EXPECT_EQ(gl.pixel(32, 32)[0], 255) << immediate;  // the square covers the middle
    EXPECT_EQ(gl.pixel(2, 2)[0], 0) << immediate;
  }
  // A whole part with shared rows (rows 0-1 then 1-2, both passes) leaves the values of the
  // mirrored pass's last vertex: the second row of its last strip, last column.
  static const float vertices3[] = {-0.5f, -0.5f, 0, 0.5f, -0.5f, 0, -0.5f, 0, 0,
                                    0.5f,  0,     0, -0.5f, 0.5f, 0, 0.5f,  0.5f, 0};
  static const float normals3[] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 0, 0.8f, 0, 0.6f};
  static const float texcoords3[] = {0, 0, 1, 0, 0, 0.5f, 1, 0.5f, 0, 1, 0.5f, 0.125f};
  static const int strips3[] = {0, 1, 1, 2};
  const fish::models::PartModel part3{3, 2, vertices3, normals3, texcoords3, 2, strips3, 2};
  for (const bool shared : {true, false}) {
    fish::SetSharedRows(shared);
    glNormal3f(1, 0, 0);
    glTexCoord2f(9, 9);
    const fish::PartCopy copy(part3, 1.0f);
    copy.EmitBothPasses(m);
    GLfloat normal[4], texcoord[4];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texcoord);
    EXPECT_FLOAT_EQ(normal[0], 0.8f) << shared;
    EXPECT_FLOAT_EQ(texcoord[1], 0.125f) << shared;
  }
  fish::SetSharedRows(true);

  // Inside a batch nothing is drawn until it closes.
  glClear(GL_COLOR_BUFFER_BIT);
  {
    const fish::PartBatch batch;
    const fish::PartCopy copy(part, 1.0f);
    copy.EmitStrip(m, 0);
    glFinish();
    EXPECT_EQ(gl.pixel(32, 32)[0], 0);
  }
  glFinish();
  EXPECT_EQ(gl.pixel(32, 32)[0], 255);
}

}  // namespace
