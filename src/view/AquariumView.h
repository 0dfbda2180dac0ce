#pragma once
#include <memory>

#include <wx/timer.h>
#include <wx/window.h>

#include "view/Cursors.h"
#include "view/FrameDriver.h"
#include "view/FrameSchedule.h"
#include "view/GlTarget.h"
#include "view/Scene.h"
#include "view/TankCommands.h"
#include "view/WindowVisibility.h"

class TankCanvas;

// The window that shows the tank. It turns the toolkit's events into calls on the scene, its
// frame driver and the commands: paints draw frames (on X11 into a GLX canvas that fills the
// view; on Wayland into an EGL child surface over the view itself, asked for by the
// compositor's frame callbacks), the mouse goes to the scene, the right button opens the
// command menu, F1 toggles the overlay, and hiding holds the frames. When the display offers
// no usable pixel format the view has no target: it draws nothing, but its menu, commands,
// F1 and Esc still work.
class AquariumView : public wxWindow {
 public:
  // openGl false makes the view as if the display had no usable pixel format.
  explicit AquariumView(wxWindow* parent, bool openGl = true);
  ~AquariumView() override;

  // Keyboard focus goes to the window that receives the keys.
  void SetFocus() override;
  // The window that receives the mouse and keys: the canvas on X11, else the view itself.
  wxWindow* InputWindow();
  // The GLX canvas; none on Wayland or without a usable pixel format.
  TankCanvas* Canvas() const { return canvas_; }
  // True when the frames go to the compositor's Wayland surface, paced by its frame callbacks.
  bool DrawsOnWayland() const { return target_ && target_->PacedByCompositor(); }

  // At most this many frames a second (0: the display's pace). Before the first paint.
  void LimitFrameRate(int framesPerSecond) { schedule_.LimitRate(framesPerSecond); }

  // Frames stop also while the window manager stacks a window above the view that covers
  // it whole (seen under compositing window managers, which report nothing as covered).
  void HoldWhenCoveredInStack() { windowState_.CheckStacking(true); }

  // Runs one command of the menu; after a dialog, shows the Feed cursor again.
  void RunCommand(int commandId);
  view::TankCommands& Commands() { return commands_; }

  // Releases the rendering context, destroys both dialogs and stops the ticks. Safe to
  // call more than once.
  void Teardown();

  view::Scene& scene() { return scene_; }
  const view::FrameDriver& driver() const { return driver_; }
  view::ViewState State() const { return state_; }
  bool TornDown() const { return state_ == view::ViewState::kTornDown; }
  long FramesDrawn() const { return framesDrawn_; }
  // Physical pixels per window unit (2 on a screen scaled to 200 %).
  double PixelScale() const { return scale_; }
  // True while frames are held because the window cannot be seen.
  bool FramesHeld() const { return schedule_.Hidden(); }

 private:
  void StartUp();
  void DrawFrame();
  void AfterFrame();
  // What follows a frame or a tick (see FrameSchedule). fromTimer: no frame ran the tune's
  // hand-off.
  void ScheduleNext(bool fromTimer);
  void ArmTimer(int milliseconds);
  void RequestRepaint();
  // False when the frame-rate cap holds the frame back; the tick then comes when it is due.
  bool CapAllowsFrame();
  void HoldFrames(view::HiddenReasons::Reason reason, bool holds);
  void UpdateCursor();
  wxPoint ToPixels(const wxPoint& p) const;

  void OnPaint(wxPaintEvent& event);
  void OnTimer(wxTimerEvent& event);
  void OnCompositorFrameDue();
  void OnKeyDown(wxKeyEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnRightDown(wxMouseEvent& event);
  void OnDestroy(wxWindowDestroyEvent& event);
  void OnTopIconize(wxIconizeEvent& event);
  void OnTopShow(wxShowEvent& event);

  view::Scene scene_;
  view::FrameDriver driver_{scene_};
  view::FrameSchedule schedule_{driver_};
  view::TankCommands commands_;
  view::ViewState state_ = view::ViewState::kWaiting;
  view::GlTarget* target_ = nullptr;  // the canvas or ownTarget_; none without OpenGL
  TankCanvas* canvas_ = nullptr;       // a child window, destroyed with the view
  std::unique_ptr<view::GlTarget> ownTarget_;  // a target that is not a window of its own
  double scale_ = 1.0;
  wxTimer timer_;
  view::Cursors cursors_;
  view::WindowVisibility windowState_;
  wxWindow* topWindow_ = nullptr;
  long framesDrawn_ = 0;
  bool capHeldFrame_ = false;  // on Wayland: a frame callback came while the cap held frames
};
