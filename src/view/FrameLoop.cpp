#include <GL/gl.h>

#include "fish/Behaviour.h"
#include "fish/FishDraw.h"
#include "settings/SettingsRecord.h"
#include "view/BackdropStrips.h"
#include "view/Scene.h"
#include "view/SheetTextureFilter.h"

// The frame in two halves. A step advances every object by one step of motion, in the order
// the tank has always moved them, and leaves what each shows; a draw shows that and changes
// nothing. The frame driver runs the steps that are due and then one draw.
namespace view {
namespace {

constexpr float kEmitterShiftX = 5.0f;
constexpr float kEmitterShiftY = -25.0f;
constexpr float kEmitterShiftZ = -60.0f;
constexpr float kLightScale = 0.01f;    // LIGHTQIANGDU 0 gives full light, 100 none
constexpr int kLightDimMax = 100;

}  // namespace

void Scene::RunFrame() {
  Step();
  Draw();
}

void Scene::LoadView() const {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  ApplyFrustum(screenWidth_, screenHeight_);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  ApplyCamera(cameraOffset_);
  glViewport(0, 0, screenWidth_, screenHeight_);
}

void Scene::Step() {
  // One more pool fish shows each step after start-up.
  if (++revealCount_ > kMaxRevealCount) revealCount_ = kMaxRevealCount;
  overlay_.Step();
  StepPoolFish();
  for (int k = 0; k < fish::kLargeFishCount; ++k) fish::LargeFishStep(large_[k], largePoses_[k]);
  for (int k = 0; k < fish::kSlowFishCount; ++k) fish::SlowFishStep(slow_[k], slowPoses_[k]);
  Mark(FrameStep::kStepFish);
  surface_.BuildControlNet(box_, settings::Settings().background);
  const int amount = tank::BubbleAmount(settings::Settings().qipaonum);
  for (tank::BubbleEmitter& e : emitters_) e.Step(amount);
  for (tank::FoodPellet& p : pellets_)
    if (p.IsActive()) p.Step();
  Mark(FrameStep::kStepTank);

  // What the left button does depends on the mode. Both picks are selection passes, so the
  // view and camera are loaded first; nothing is drawn.
  if (mode_ == kCmdFeed) {
    LoadView();
    pickBars_.FeedStage(box_, mouseX_, mouseY_, feedClickPending_, pellets_);
  } else if (mode_ == kCmdTouch || mode_ == kCmdZoomIn || mode_ == kCmdZoomOut) {
    LoadView();
    RunFishPick();
  }
  Mark(FrameStep::kPicking);
}

void Scene::StepPoolFish() {
  const fish::SpeciesRanges ranges = fish::ComputeSpeciesRanges(settings::Settings().fishCount);
  posedPoolFish_ = 0;
  const bool feedMode = mode_ == kCmdFeed;
  for (int i = 0; i <= revealCount_ && i < ranges.shown; ++i) {
    fish::SpeciesFish& f = pool_[i];
    for (int j = 0; j < fish::kSpeciesKinds; ++j) {
      if (!ranges.Contains(j, i)) continue;
      fish::SpeciesFishStep(f, j, poolPoses_[i]);
      fish::feedingSteer(f, pellets_, feedMode);
      fish::foodPull(f, pellets_);
    }
    fish::feedingSteer(f, pellets_, feedMode);
    fish::foodPull(f, pellets_);
    fish::avoid(pool_, i);
    posedPoolFish_ = i + 1;
  }
}

void Scene::Draw() const {
  LoadView();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Mark(FrameStep::kClear);

  // Overlay text, first of all.
  overlay_.Draw(glyphs_);
  Mark(FrameStep::kOverlay);

  // Scene light.
  const settings::SettingsRecord& s = settings::Settings();
  const GLfloat grey = static_cast<GLfloat>(kLightDimMax - s.lightqiangdu) * kLightScale;
  const GLfloat light[4] = {grey, grey, grey, 1.0f};
  glLightfv(GL_LIGHT1, GL_AMBIENT, light);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, light);
  glEnable(GL_LIGHTING);

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
}

void Scene::DrawPoolFish() const {
  for (int i = 0; i < posedPoolFish_; ++i) {
    const fish::SpeciesFishPose& pose = poolPoses_[i];
    glPushMatrix();
    glTranslatef(pose.place.x, pose.place.y, pose.place.z);
    glBindTexture(GL_TEXTURE_2D, fishTextures_[pose.species]);
    fish::SpeciesFishDraw(pose);
    glPopMatrix();
  }
}

void Scene::DrawLargeAndSlowFish() const {
  for (int k = 0; k < fish::kLargeFishCount; ++k) {
    const fish::LargeFishPose& pose = largePoses_[k];
    glPushMatrix();
    glTranslatef(pose.place.x, pose.place.y, pose.place.z);
    fish::LargeFishDraw(large_[k], pose, fishTextures_[fish::kLargeFishSlot]);
    glPopMatrix();
  }
  for (const fish::SlowFishPose& pose : slowPoses_) {
    glPushMatrix();
    glTranslatef(pose.place.x, pose.place.y, pose.place.z);
    glBindTexture(GL_TEXTURE_2D, fishTextures_[fish::kSlowFishSlot]);
    fish::SlowFishDraw(pose);
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

void Scene::DrawBackdrop() const {
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

void Scene::DrawBackgroundSurface() const {
  sheetFilterChanged_ = false;
  if (!BackgroundSurfaceShown()) return;
  const GLuint texture =
      slideshow_ ? slideshow_->BackgroundTexture(backgroundTexture_) : backgroundTexture_;
  glBindTexture(GL_TEXTURE_2D, texture);
  glPushMatrix();
  {
    const SheetFilterScope filter(surface_, cameraOffset_ - kEyeBehindOffset, screenWidth_,
                                  screenHeight_, !keepSheetFilter_);
    sheetFilterChanged_ = filter.changed();
    surface_.Draw();
  }
  glPopMatrix();
}

void Scene::DrawBubbles() const {
  glPushMatrix();
  glDisable(GL_FOG);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  for (int k = 0; k < tank::kEmitterCount; ++k) {
    glPushMatrix();
    glTranslatef(emitterPositions_[k][0] + kEmitterShiftX, emitterPositions_[k][1] + kEmitterShiftY,
                 emitterPositions_[k][2] + kEmitterShiftZ);
    emitters_[k].Draw();
    glPopMatrix();
  }
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
}

void Scene::DrawPellets() const {
  for (const tank::FoodPellet& p : pellets_) {
    if (!p.Shown()) continue;
    glPushMatrix();
    p.Draw();
    glPopMatrix();
  }
}

}  // namespace view
