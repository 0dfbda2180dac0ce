#pragma once
#include <GL/gl.h>

#include "fish/FishDraw.h"
#include "fish/LargeFish.h"
#include "fish/Population.h"
#include "fish/SlowFish.h"
#include "fish/SpeciesFish.h"
#include "settings/SlideshowModel.h"
#include "tank/BackgroundSurface.h"
#include "tank/Bubbles.h"
#include "tank/FoodPellet.h"
#include "tank/TankBox.h"
#include "ui/CommandId.h"
#include "view/BackdropStrips.h"
#include "view/Camera.h"
#include "view/FrameProbe.h"
#include "view/OverlayText.h"
#include "view/Picking.h"

// The whole aquarium without a window: every scene object, scene start-up, the simulation
// step and the drawing of what it left, the mouse state and the interaction mode. The frame
// driver makes a GL context current, runs the steps that are due and draws; the window
// forwards the mouse and F1.
namespace view {

inline constexpr int kInitialScreenWidth = 1680;
inline constexpr int kInitialScreenHeight = 1050;
inline constexpr int kMaxRevealCount = 100;

class Scene {
 public:
  Scene() = default;
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // Scene start-up from the overlay glyphs on (the caller has made a GL context current):
  // overlay glyphs, fixed GL state, tank box, background surface, temp-path check, textures,
  // settings load, placement, pellets, fog. Returns false when it stopped early.
  bool Startup(int screenWidth, int screenHeight);

  // One simulation step of 1/60 s: every object advances once, in a fixed order, with the
  // random draws in that order, and the pick of the mode runs (a selection pass, so a GL
  // context must be current). Draws nothing.
  void Step();
  // Draws what the last step left (no glFinish, no buffer swap). Changes no state of the
  // tank and takes no random draw, so drawing again shows the same picture.
  void Draw() const;
  // One step and its picture.
  void RunFrame();
  // Profiling only: an observer told after each stage of the step and the draw (nullptr: none).
  void SetFrameProbe(FrameProbe* probe) { probe_ = probe; }
  // Benchmark only: every pool fish shows from the next step, without the one-a-step reveal.
  void RevealAll() { revealCount_ = kMaxRevealCount; }
  // The user's slideshow, whose picture on show replaces the built-in background while its
  // lamp is on (it outlives the scene's drawing); nullptr: the built-in picture always.
  void ShowPicturesOf(const settings::SlideshowModel* slideshow) { slideshow_ = slideshow; }
  // Comparison only: draw the backdrop even where the background sheet hides all of it.
  void SetAlwaysDrawBackdrop(bool always) { alwaysDrawBackdrop_ = always; }
  // Comparison only: draw the background sheet with its picture's own minification filter
  // even where the picture is only ever magnified.
  void SetKeepSheetFilter(bool keep) { keepSheetFilter_ = keep; }
  // Comparison only: draw the overlay glyph by glyph every frame, with every face.
  void SetPlainOverlay(bool plain) { overlay_.SetPlain(plain); }
  // The strips of the view where this frame draws the backdrop (the rest is covered by the
  // background sheet); -1 when it is drawn whole.
  int BackdropStrips(PixelRect (&strips)[4]) const;

  // Mouse, in client pixels with y downwards.
  void OnLeftDown(int x, int y);
  void OnLeftUp();
  void OnMouseMove(int x, int y);
  void OnLeftDoubleClick() {}  // the second click of a double click changes nothing
  void ToggleOverlay() { overlay_.Toggle(); }  // F1

  int Mode() const { return mode_; }
  void SetMode(int commandId) { mode_ = commandId; }
  // Cursor resource id for the mode and button state; 0 leaves the cursor as it is.
  int CursorId() const;

  // Read access for the shell, tests and the benchmark.
  int revealCount() const { return revealCount_; }
  const tank::TankBox& tankBox() const { return box_; }
  int screenWidth() const { return screenWidth_; }
  int screenHeight() const { return screenHeight_; }
  fish::SpeciesFish& poolFish(int i) { return pool_[i]; }
  fish::SpeciesFish (&pool())[fish::kPoolSize] { return pool_; }
  fish::LargeFish& largeFish(int i) { return large_[i]; }
  fish::SlowFish& slowFish(int i) { return slow_[i]; }
  const tank::FoodPellet& pellet(int i) const { return pellets_[i]; }
  int activePellets() const;
  const tank::BubbleEmitter& emitter(int k) const { return emitters_[k]; }
  const PickBars& pickBars() const { return pickBars_; }
  const Overlay& overlay() const { return overlay_; }
  const GlyphLists& glyphs() const { return glyphs_; }
  GLuint backgroundTexture() const { return backgroundTexture_; }
  GLuint fishTexture(int slot) const { return fishTextures_[slot]; }
  bool buttonDown() const { return buttonDown_; }
  bool feedClickPending() const { return feedClickPending_; }
  int lastPickedFish() const { return lastPickedFish_; }
  // Whether the last draw drew the sheet by its picture's magnification filter alone.
  bool sheetFilterChanged() const { return sheetFilterChanged_; }

 private:
  void SetFixedGlState();
  void SetFog();
  void LoadView() const;  // projection, camera and viewport of the screen
  void StepPoolFish();
  void DrawPoolFish() const;
  void DrawLargeAndSlowFish() const;
  static bool BackgroundSurfaceShown();
  void DrawBackdrop() const;
  void DrawBackgroundSurface() const;
  void DrawBubbles() const;
  void DrawPellets() const;
  void RunFishPick();
  void Mark(FrameStep step) const {
    if (probe_) probe_->After(step);
  }

  // Scene objects in the order they are constructed.
  int revealCount_ = 0;
  PickBars pickBars_;
  tank::BubbleEmitter emitters_[tank::kEmitterCount];
  fish::SpeciesFish pool_[fish::kPoolSize];
  fish::LargeFish large_[fish::kLargeFishCount];
  fish::SlowFish slow_[fish::kSlowFishCount];
  tank::FoodPellet pellets_[tank::kPelletCount];
  Overlay overlay_;
  GlyphLists glyphs_;
  tank::TankBox box_;
  tank::BackgroundSurface surface_;
  GLuint backgroundTexture_ = 0;
  const settings::SlideshowModel* slideshow_ = nullptr;
  GLuint fishTextures_[fish::kFishTextureSlots] = {};
  int screenWidth_ = kInitialScreenWidth;
  int screenHeight_ = kInitialScreenHeight;
  int mouseX_ = 0;
  int mouseY_ = 0;
  bool buttonDown_ = false;
  bool feedClickPending_ = false;
  int mode_ = kCmdFeed;
  float emitterPositions_[tank::kEmitterCount][3] = {};
  float cameraOffset_ = kCameraOffset;
  int lastPickedFish_ = -1;
  FrameProbe* probe_ = nullptr;
  bool alwaysDrawBackdrop_ = false;
  bool keepSheetFilter_ = false;
  mutable bool sheetFilterChanged_ = false;  // what the last draw did, for tests
  // What the last step left for the draw: the poses of the first posedPoolFish_ pool fish
  // and of the large and slow fish.
  fish::SpeciesFishPose poolPoses_[fish::kPoolSize];
  int posedPoolFish_ = 0;
  fish::LargeFishPose largePoses_[fish::kLargeFishCount];
  fish::SlowFishPose slowPoses_[fish::kSlowFishCount];
};

}  // namespace view
