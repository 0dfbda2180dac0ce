#pragma once
#include <memory>

#include <wx/timer.h>
#include <wx/window.h>

#include "view/Cursors.h"
#include "view/FrameDriver.h"
#include "view/FramePacer.h"
#include "view/GlTarget.h"
#include "view/Scene.h"
#include "view/WindowVisibility.h"

class CustomMusicDialog;
class CustomBackgroundDialog;
class TankCanvas;

// The window that shows the tank. It owns the scene, the OpenGL target its frames go to (on
// X11 a GLX canvas that fills the view; on Wayland an EGL child surface over the view itself),
// the frame timer, the mode cursors and the two modeless settings dialogs. It forwards the
// mouse to the scene, opens the icon menu on the right button and runs the commands that menu
// sends. When the display offers no usable pixel format the view has no target: it draws
// nothing, but its menu, commands, F1 and Esc still work.
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

  // Runs one command of the menu: stores it as the mode, opens the dialog it names or ends
  // the program.
  void RunCommand(int commandId);

  // Releases the rendering context, destroys both dialogs and stops the timer. Safe to
  // call more than once.
  void Teardown();

  // Writes both modeless dialogs' sections as hiding them does, so a list the user built
  // survives leaving with Esc or Exit.
  void SaveDialogs();

  view::Scene& scene() { return scene_; }
  const view::FrameDriver& driver() const { return driver_; }
  bool Started() const { return started_; }
  bool TornDown() const { return tornDown_; }
  long FramesDrawn() const { return framesDrawn_; }
  // The viewport the last size change set, in physical pixels (width, height after the
  // zero-height rule).
  wxSize LastViewport() const { return lastViewport_; }
  // Physical pixels per window unit (2 on a screen scaled to 200 %).
  double PixelScale() const { return scale_; }
  // True while frames are held because the window cannot be seen.
  bool FramesHeld() const { return hidden_.Hidden(); }

 private:
  void CreateTarget();
  bool StartUp();
  void DrawFrame();
  void AfterFrame();
  // What follows a frame or a tick: a repaint request (the next frame), a wait, or, while
  // the window cannot be seen, a slow poll. fromTimer: no frame ran the music hand-off.
  void ScheduleNext(bool fromTimer);
  void UpdateCursor();
  void ArmTimer(int milliseconds);
  void ApplySize(int width, int height);
  wxPoint ToPixels(const wxPoint& p) const;
  void TickWithoutContext();
  void ReadWindowState();
  void HoldFrames(view::HiddenReasons::Reason reason, bool holds);
  void RequestRepaint();
  void CompositorTick();
  void OnCompositorFrameDue();

  void OnPaint(wxPaintEvent& event);
  void OnEraseBackground(wxEraseEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnTimer(wxTimerEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeftDoubleClick(wxMouseEvent& event);
  void OnRightDown(wxMouseEvent& event);
  void OnDestroy(wxWindowDestroyEvent& event);
  void OnTopIconize(wxIconizeEvent& event);
  void OnTopShow(wxShowEvent& event);

  view::Scene scene_;
  view::FrameDriver driver_{scene_};
  view::GlTarget* target_ = nullptr;  // the canvas or ownTarget_; none without OpenGL
  TankCanvas* canvas_ = nullptr;       // a child window, destroyed with the view
  std::unique_ptr<view::GlTarget> ownTarget_;  // a target that is not a window of its own
  double scale_ = 1.0;
  CustomMusicDialog* musicDialog_ = nullptr;
  CustomBackgroundDialog* backgroundDialog_ = nullptr;
  wxTimer timer_;
  view::Cursors cursors_;
  view::FramePacer pacer_;
  view::HiddenReasons hidden_;
  view::WindowVisibility windowState_;
  wxWindow* topWindow_ = nullptr;
  bool repaintRequested_ = false;
  view::FramePacer::Clock::time_point repaintRequestedAt_{};
  bool starting_ = false;
  bool started_ = false;
  bool contextFailed_ = false;
  bool tornDown_ = false;
  long framesDrawn_ = 0;
  wxSize lastViewport_;
};
