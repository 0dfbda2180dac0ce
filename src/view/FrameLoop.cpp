#include <GL/gl.h>

#include "fish/Behaviour.h"
#include "fish/FishDraw.h"
#include "settings/SettingsRecord.h"
#include "settings/SharedFlags.h"
#include "view/BackdropStrips.h"
#include "view/Scene.h"
#include "view/SheetTextureFilter.h"

// One frame: every object advances inside its own draw, so a frame is one simulation step.
namespace view {
namespace {

constexpr float kEmitterShiftX = 5.0f;
constexpr float kEmitterShiftY = -25.0f;
constexpr float kEmitterShiftZ = -60.0f;
constexpr float kLightScale = 0.01f;    // LIGHTQIANGDU 0 gives full light, 100 none
constexpr int kLightDimMax = 100;

}  // namespace

void Scene::RunFrame() {
  // 1. One more pool fish shows each frame after start-up.
  if (++revealCount_ > kMaxRevealCount) revealCount_ = kMaxRevealCount;

  // 2-4. Projection, camera, viewport, clear.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  ApplyFrustum(screenWidth_, screenHeight_);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  ApplyCamera(cameraOffset_);
  glViewport(0, 0, screenWidth_, screenHeight_);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Mark(FrameStep::kClear);

  // 5. Overlay text, first of all.
  overlay_.RunFrame(glyphs_);
  Mark(FrameStep::kOverlay);

  // 6. Scene light.
  const settings::SettingsRecord& s = settings::Settings();
  const GLfloat grey = static_cast<GLfloat>(kLightDimMax - s.lightqiangdu) * kLightScale;
  const GLfloat light[4] = {grey, grey, grey, 1.0f};
  glLightfv(GL_LIGHT1, GL_AMBIENT, light);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, light);
  glEnable(GL_LIGHTING);

  // 7-14.
  DrawBackdrop();
  Mark(FrameStep::kBackdrop);
  DrawPoolFish();
  Mark(FrameStep::kPoolFish);
  DrawLargeAndSlowFish();
  Mark(FrameStep::kLargeSlowFish);
  DrawBackgroundSurface();
  Mark(FrameStep::kBackground);
  DrawBubbles();
  Mark(FrameStep::kBubbles);
  glDisable(GL_LIGHTING);
  DrawPellets();
  Mark(FrameStep::kPellets);

  // 15-16. What the left button does depends on the mode.
  if (mode_ == kCmdFeed) {
    pickBars_.FeedStage(box_, mouseX_, mouseY_, feedClickPending_, pellets_);
  } else if (mode_ == kCmdTouch || mode_ == kCmdZoomIn || mode_ == kCmdZoomOut) {
    RunFishPick();
  }
  Mark(FrameStep::kPicking);
}

void Scene::DrawPoolFish() {
  const fish::SpeciesRanges ranges = fish::ComputeSpeciesRanges(settings::Settings().fishCount);
  for (int i = 0; i <= revealCount_ && i < ranges.shown; ++i) {
    fish::SpeciesFish& f = pool_[i];
    glPushMatrix();
    glTranslatef(f.x, f.y, f.z);
    for (int j = 0; j < fish::kSpeciesKinds; ++j) {
      if (!ranges.Contains(j, i)) continue;
      glBindTexture(GL_TEXTURE_2D, fishTextures_[j]);
      fish::SpeciesFishDraw(f, j);
      fish::feedingSteer(f, pellets_, mode_);
      fish::foodPull(f, pellets_);
    }
    glPopMatrix();
    fish::feedingSteer(f, pellets_, mode_);
    fish::foodPull(f, pellets_);
    fish::avoid(pool_, i);
  }
}

void Scene::DrawLargeAndSlowFish() {
  for (fish::LargeFish& f : large_) {
    glPushMatrix();
    glTranslatef(f.x, f.y, f.z);
    fish::LargeFishDraw(f, fishTextures_[fish::kLargeFishSlot]);
    glPopMatrix();
  }
  for (fish::SlowFish& f : slow_) {
    glPushMatrix();
    glTranslatef(f.x, f.y, f.z);
    glBindTexture(GL_TEXTURE_2D, fishTextures_[fish::kSlowFishSlot]);
    fish::SlowFishDraw(f);
    glPopMatrix();
  }
}

bool Scene::BackgroundSurfaceShown() {
  const settings::SettingsRecord& s = settings::Settings();
  return s.background == 0 && s.showTerra != 0;
}

// Where the opaque sheet, drawn later in the same frame with blending off, covers the view
// in front of the backdrop, the backdrop's pixels are all painted over: it is drawn only
// inside the strips the sheet may leave open, which gives the same picture.
int Scene::BackdropStrips(PixelRect (&strips)[4]) const {
  if (alwaysDrawBackdrop_ || !BackgroundSurfaceShown() ||
      tank::BackdropZ(box_) >= tank::BackgroundSurface::FarthestZ())
    return -1;
  const double eyeZ = cameraOffset_ - kEyeBehindOffset;
  return UncoveredStrips(ComputeFrustum(screenWidth_, screenHeight_), screenWidth_,
                         screenHeight_, tank::BackgroundSurface::CoveredSlopes(box_, eyeZ),
                         strips);
}

void Scene::DrawBackdrop() {
  PixelRect strips[4];
  const int n = BackdropStrips(strips);
  if (n < 0) {
    tank::DrawBackdrop(box_);
    return;
  }
  if (n == 0) {
    tank::DrawBackdrop(box_, true);
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  for (int k = 0; k < n; ++k) {
    glScissor(strips[k].x, strips[k].y, strips[k].width, strips[k].height);
    tank::DrawBackdrop(box_);
  }
  glDisable(GL_SCISSOR_TEST);
}

void Scene::DrawBackgroundSurface() {
  const settings::SettingsRecord& s = settings::Settings();
  sheetFilterChanged_ = false;
  if (!BackgroundSurfaceShown()) return;
  GLuint texture = backgroundTexture_;
  if (shared::customImageOn)
    texture = shared::currentImageTexture > 0 ? static_cast<GLuint>(shared::currentImageTexture) : 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glPushMatrix();
  surface_.BuildControlNet(box_, s.background);
  {
    const SheetFilterScope filter(surface_, cameraOffset_ - kEyeBehindOffset, screenWidth_,
                                  screenHeight_, !keepSheetFilter_);
    sheetFilterChanged_ = filter.changed();
    surface_.Draw();
  }
  glPopMatrix();
}

void Scene::DrawBubbles() {
  const int amount = tank::BubbleAmount(settings::Settings().qipaonum);
  glPushMatrix();
  glDisable(GL_FOG);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  for (int k = 0; k < tank::kEmitterCount; ++k) {
    glPushMatrix();
    glTranslatef(emitterPositions_[k][0] + kEmitterShiftX, emitterPositions_[k][1] + kEmitterShiftY,
                 emitterPositions_[k][2] + kEmitterShiftZ);
    emitters_[k].Draw(amount);
    glPopMatrix();
  }
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
}

void Scene::DrawPellets() {
  for (tank::FoodPellet& p : pellets_) {
    if (!p.IsActive()) continue;
    glPushMatrix();
    p.DrawAndMove();
    glPopMatrix();
  }
}

}  // namespace view
