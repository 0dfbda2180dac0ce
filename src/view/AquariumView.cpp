#include "view/AquariumView.h"

#include <GL/gl.h>

#include <cmath>

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/toplevel.h>

#include "platform/MessageBox.h"
#include "view/TankCanvas.h"

namespace {

constexpr const char* kChoosePixelFormatFailed = "ChoosePixelFormat failed";
constexpr const char* kSetPixelFormatFailed = "SetPixelFormat failed";

using view::ViewState;

}  // namespace

AquariumView::AquariumView(wxWindow* parent, bool openGl)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxWANTS_CHARS | wxBORDER_NONE),
      commands_(this, scene_, [this] { Teardown(); }),
      timer_(this) {
  SetBackgroundColour(*wxBLACK);
  if (openGl) {
    ownTarget_ = view::ChooseGlTarget(this, canvas_);
    target_ = ownTarget_ ? ownTarget_.get() : canvas_;
  }
  wxWindow* input = InputWindow();
  if (target_) {
    wxWindow* painted = target_->Window();
    painted->Bind(wxEVT_PAINT, &AquariumView::OnPaint, this);
    painted->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});  // frames clear the buffer
    // A new size is drawn even when no step is due.
    painted->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
      if (target_) scale_ = target_->PixelScale();
      driver_.RequestRedraw();
      event.Skip();
    });
    // The compositor's word that the last frame is shown brings the next one.
    if (target_->PacedByCompositor()) target_->OnFrameDue([this] { OnCompositorFrameDue(); });
  }
  Bind(wxEVT_TIMER, &AquariumView::OnTimer, this, timer_.GetId());
  input->Bind(wxEVT_KEY_DOWN, &AquariumView::OnKeyDown, this);
  for (const auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MOTION, wxEVT_LEFT_DCLICK})
    input->Bind(type, &AquariumView::OnMouse, this);
  input->Bind(wxEVT_RIGHT_DOWN, &AquariumView::OnRightDown, this);
  Bind(wxEVT_DESTROY, &AquariumView::OnDestroy, this);
  // Minimising and hiding are told to the top-level window, not to its children.
  topWindow_ = wxGetTopLevelParent(parent);
  if (topWindow_) {
    topWindow_->Bind(wxEVT_ICONIZE, &AquariumView::OnTopIconize, this);
    topWindow_->Bind(wxEVT_SHOW, &AquariumView::OnTopShow, this);
  }
  if (!target_) {
    // No usable pixel format: the view stays black and draws nothing, but it keeps its menu,
    // commands and keys, and the tick goes on for the tune's hand-off.
    platform::ShowMessageBox(kChoosePixelFormatFailed);
    state_ = ViewState::kNoContext;
    commands_.CreateDialogs(false);
    UpdateCursor();
    ArmTimer(view::kTickAfterFrameMs);
  }
}

wxWindow* AquariumView::InputWindow() { return target_ ? target_->Window() : this; }

void AquariumView::SetFocus() {
  if (canvas_)
    canvas_->SetFocus();
  else
    wxWindow::SetFocus();
}

AquariumView::~AquariumView() {
  if (topWindow_) {
    topWindow_->Unbind(wxEVT_ICONIZE, &AquariumView::OnTopIconize, this);
    topWindow_->Unbind(wxEVT_SHOW, &AquariumView::OnTopShow, this);
  }
  Teardown();
}

// ---- start-up: context, scene, dialogs ----

void AquariumView::StartUp() {
  state_ = ViewState::kStarting;
  if (!target_->CreateContext()) {
    state_ = ViewState::kNoContext;
    platform::ShowMessageBox(kSetPixelFormatFailed);
    commands_.CreateDialogs(false);
    ArmTimer(view::kTickAfterFrameMs);  // no frames, but the tune's hand-off
    return;
  }
  // Window sizes are in logical pixels; the framebuffer and picking work in the physical
  // pixels of a scaled screen.
  scale_ = target_->PixelScale();
  cursors_.SetScale(target_->CursorImageScale());
  const wxRect screen = wxDisplay().GetGeometry();  // the primary monitor
  const bool complete =
      scene_.Startup(static_cast<int>(std::lround(screen.width * scale_)),
                     static_cast<int>(std::lround(screen.height * scale_)));
  commands_.CreateDialogs(complete);
  // Covered or unmapped X11 windows are still drawn by the toolkit: watch for that ourselves.
  // A Wayland compositor tells by sending no frame callbacks.
  if (canvas_) windowState_.Watch(canvas_->GetXWindow());
  // Frames are drawn from paints, and the toolkit's frame clock lets paints through at most
  // once per refresh, counted from the previous frame's start: a wait of our own on top
  // would only make frames late. On Wayland the compositor's frame callbacks ask for them.
  schedule_.PacedByDisplay();
  state_ = ViewState::kRunning;
  UpdateCursor();
  ArmTimer(view::kTickAfterFrameMs);
}

// ---- frames and ticks ----

void AquariumView::ArmTimer(int milliseconds) {
  if (state_ != ViewState::kTornDown) timer_.StartOnce(std::max(1, milliseconds));
}

void AquariumView::DrawFrame() {
  // The refresh interval is counted from the start of this frame.
  const auto now = view::FrameSchedule::Clock::now();
  schedule_.FrameStarted(now);
  target_->MakeCurrent();
  if (driver_.Frame(now)) {
    glFinish();
    target_->Present();
    ++framesDrawn_;
  } else {
    // No step was due (a display faster than the tank's 60 steps a second): the picture
    // shown is still the right one.
    target_->KeepFramesComing();
  }
  AfterFrame();
}

void AquariumView::AfterFrame() {
  commands_.Media().TuneTick();
  if (DrawsOnWayland()) return;  // the compositor's frame callback asks for the next frame
  // The next frame is asked for as soon as the toolkit has run its idle work (deferred
  // deletes, queued calls, the close a signal asks for), not a timer tick later: the toolkit's
  // frame clock holds the paint to the refresh, and a slow frame is followed at once. Asked
  // for from inside this paint, the next paint would come before any idle work ever could.
  timer_.Stop();
  CallAfter([this] {
    if (state_ != ViewState::kTornDown) ScheduleNext(false);
  });
}

void AquariumView::RequestRepaint() {
  schedule_.RepaintAsked(view::FrameSchedule::Clock::now());
  if (target_) target_->Window()->Refresh(false);
}

void AquariumView::ScheduleNext(bool fromTimer) {
  if (windowState_.Poll()) {
    HoldFrames(view::HiddenReasons::kUnmapped, windowState_.Unmapped());
    HoldFrames(view::HiddenReasons::kObscured, windowState_.Obscured());
  }
  const auto next = schedule_.AfterTick(view::FrameSchedule::Clock::now(), state_, fromTimer);
  if (next.tuneTick) commands_.Media().TuneTick();
  if (next.repaint) RequestRepaint();
  ArmTimer(next.tickAfterMs);
}

void AquariumView::OnTimer(wxTimerEvent&) {
  if (state_ == ViewState::kTornDown) return;
  if (!DrawsOnWayland()) {
    ScheduleNext(true);
    return;
  }
  // The compositor paces the frames and sends no frame callbacks while it does not show the
  // window, so nothing is drawn then (and a Wayland client is never told when it is
  // restored). The tick hands the tune on and asks again for a paint that a due frame is
  // still waiting for.
  commands_.Media().TuneTick();
  if (state_ == ViewState::kRunning && target_->FrameDue()) {
    if (!capHeldFrame_) {
      RequestRepaint();
    } else if (CapAllowsFrame()) {
      capHeldFrame_ = false;
      DrawFrame();
    } else {
      return;  // the tick comes back when the cap lets the frame through
    }
  }
  ArmTimer(view::kRepaintGuardMs);
}

bool AquariumView::CapAllowsFrame() {
  const auto wait = schedule_.CapWait(view::FrameSchedule::Clock::now());
  if (wait.count() == 0) return true;
  ArmTimer(static_cast<int>(wait.count()));
  return false;
}

void AquariumView::OnCompositorFrameDue() {
  // The frame is drawn as soon as the toolkit is idle, not through a paint: a paint would
  // wait for the toolkit's own frame clock and redraw the window's whole surface under the
  // picture for every frame (a fifth more processor time at 1280x720, at the same rate).
  CallAfter([this] {
    if (state_ != ViewState::kRunning || !target_->FrameDue()) return;
    if (CapAllowsFrame())
      DrawFrame();
    else
      capHeldFrame_ = true;  // the tick draws it when the cap allows
  });
}

void AquariumView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(target_->Window());  // validates the window
  if (state_ == ViewState::kTornDown || state_ == ViewState::kStarting) return;
  schedule_.Painted();
  if (state_ == ViewState::kWaiting) StartUp();
  // On Wayland a paint the toolkit makes by itself draws nothing until the compositor has
  // shown the last frame.
  if (state_ == ViewState::kRunning && target_->FrameDue() && CapAllowsFrame()) DrawFrame();
}

// ---- hiding ----

void AquariumView::HoldFrames(view::HiddenReasons::Reason reason, bool holds) {
  // Seen again: the next tick comes at once instead of after the slow poll.
  if (schedule_.SetHidden(reason, holds) && state_ == ViewState::kRunning)
    ArmTimer(view::kTickAfterFrameMs);
}

void AquariumView::OnTopIconize(wxIconizeEvent& event) {
  HoldFrames(view::HiddenReasons::kIconized, event.IsIconized());
  event.Skip();
}

void AquariumView::OnTopShow(wxShowEvent& event) {
  HoldFrames(view::HiddenReasons::kNotShown, !event.IsShown());
  event.Skip();
}

// ---- keys, mouse and commands ----

void AquariumView::OnKeyDown(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_F1) scene_.ToggleOverlay();
  event.Skip();  // no key is consumed here
}

void AquariumView::UpdateCursor() {
  const int id = scene_.CursorId();
  if (id == 0) return;
  if (const wxCursor* cursor = cursors_.Get(id)) {
    SetCursor(*cursor);
    if (canvas_) canvas_->SetCursor(*cursor);
  }
}

wxPoint AquariumView::ToPixels(const wxPoint& p) const {
  return wxPoint(static_cast<int>(std::lround(p.x * scale_)),
                 static_cast<int>(std::lround(p.y * scale_)));
}

void AquariumView::OnMouse(wxMouseEvent& event) {
  const wxPoint p = ToPixels(event.GetPosition());
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_LEFT_DOWN) {
    if (!InputWindow()->HasFocus()) SetFocus();
    scene_.OnLeftDown(p.x, p.y);
  } else if (type == wxEVT_LEFT_UP) {
    scene_.OnLeftUp();
  } else if (type == wxEVT_MOTION) {
    scene_.OnMouseMove(p.x, p.y);
  } else {
    // The toolkit reports the second press of a double click only as the double click, so
    // that press changes neither the button state nor a pending feed click.
    scene_.OnLeftDoubleClick();
  }
  UpdateCursor();
  event.Skip();
}

void AquariumView::OnRightDown(wxMouseEvent& event) {
  const int chosen = commands_.ChooseFromMenu(InputWindow()->ClientToScreen(event.GetPosition()));
  event.Skip();
  if (chosen != 0) RunCommand(chosen);
}

void AquariumView::RunCommand(int commandId) {
  commands_.Run(commandId);
  if (scene_.Mode() != commandId) UpdateCursor();  // a dialog's command went back to Feed
}

// ---- teardown ----

void AquariumView::OnDestroy(wxWindowDestroyEvent& event) {
  if (event.GetEventObject() == this) Teardown();
  event.Skip();
}

void AquariumView::Teardown() {
  if (state_ == ViewState::kTornDown) return;
  state_ = ViewState::kTornDown;
  if (target_) target_->ReleaseContext();
  windowState_.Stop();
  commands_.DestroyDialogs();
  timer_.Stop();
}
