#include "view/AquariumView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <cmath>

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>

#include "platform/MessageBox.h"
#include "ui/CommandId.h"
#include "ui/IconMenu.h"
#include "view/TankCanvas.h"
#ifdef PELAVO_NATIVE_WAYLAND
#include "view/wayland/WaylandTarget.h"
#endif

#include "settings/CustomBackgroundDialog.h"
#include "settings/CustomMusicDialog.h"
#include "settings/DefaultMusic.h"
#include "settings/FishSettingsDialog.h"

namespace {

constexpr double kFieldOfView = 45.0;
constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 400.0;
// The next tick after a frame; the pacer lengthens it to the rest of the refresh interval.
constexpr int kTickAfterFrameMs = 1;
// When a requested repaint does not come (a hidden window gets none), the tick comes back
// after this long so the frame chain never stops for good.
constexpr int kRepaintGuardMs = 100;
// A repaint that has not come after this long means the toolkit is not drawing the window
// (hidden in a way no event reported): frames are held and the tick slows down.
constexpr std::chrono::milliseconds kNoPaintAfter{500};
constexpr int kHiddenPollMs = static_cast<int>(view::kHiddenPollInterval.count());

constexpr const char* kChoosePixelFormatFailed = "ChoosePixelFormat failed";
constexpr const char* kSetPixelFormatFailed = "SetPixelFormat failed";

struct MenuEntry {
  int command;
  int icon;
  const char* text;
};
constexpr MenuEntry kMenuEntries[] = {
    {kCmdFeed, 133, "  Feed Fish"},
    {kCmdTouch, 160, "  Touch Fish"},
    {kCmdZoomIn, 134, "  Zoom In Fish"},
    {kCmdZoomOut, 135, "  Zoom Out Fish"},
    {kCmdAddDeleteFish, 180, "  Add/Delete Fish"},
    {kCmdCustomMusic, 253, "  Custom Music"},
    {kCmdCustomBackground, 232, "  Custom Background"},
    {kCmdExit, 175, "  Exit"},
};

template <typename Dialog>
void CentreAndShow(Dialog* dialog) {
  if (!dialog) return;  // start-up stopped before the dialog was made
  dialog->CentreOnParent();
  dialog->Show();
  dialog->Raise();
}

template <typename Dialog>
void DestroyDialog(Dialog*& dialog) {
  if (!dialog) return;
  dialog->Destroy();
  dialog = nullptr;
}

}  // namespace

AquariumView::AquariumView(wxWindow* parent, bool openGl)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxWANTS_CHARS | wxBORDER_NONE),
      timer_(this) {
  SetBackgroundColour(*wxBLACK);
  if (openGl) CreateTarget();
  if (!target_) {
    // No usable pixel format: the view stays black and draws nothing, but it keeps its menu,
    // commands and keys. The tick still runs for the music hand-off.
    platform::ShowMessageBox(kChoosePixelFormatFailed);
    contextFailed_ = true;
  }
  wxWindow* input = InputWindow();
  if (target_) {
    wxWindow* painted = target_->Window();
    painted->Bind(wxEVT_PAINT, &AquariumView::OnPaint, this);
    painted->Bind(wxEVT_ERASE_BACKGROUND, &AquariumView::OnEraseBackground, this);
    painted->Bind(wxEVT_SIZE, &AquariumView::OnSize, this);
    // The compositor's word that the last frame is shown brings the next one.
    if (target_->PacedByCompositor()) target_->OnFrameDue([this] { OnCompositorFrameDue(); });
  }
  Bind(wxEVT_TIMER, &AquariumView::OnTimer, this, timer_.GetId());
  input->Bind(wxEVT_KEY_DOWN, &AquariumView::OnKeyDown, this);
  input->Bind(wxEVT_LEFT_DOWN, &AquariumView::OnLeftDown, this);
  input->Bind(wxEVT_LEFT_UP, &AquariumView::OnLeftUp, this);
  input->Bind(wxEVT_MOTION, &AquariumView::OnMotion, this);
  input->Bind(wxEVT_LEFT_DCLICK, &AquariumView::OnLeftDoubleClick, this);
  input->Bind(wxEVT_RIGHT_DOWN, &AquariumView::OnRightDown, this);
  Bind(wxEVT_DESTROY, &AquariumView::OnDestroy, this);
  // Minimising and hiding are told to the top-level window, not to its children.
  topWindow_ = wxGetTopLevelParent(parent);
  if (topWindow_) {
    topWindow_->Bind(wxEVT_ICONIZE, &AquariumView::OnTopIconize, this);
    topWindow_->Bind(wxEVT_SHOW, &AquariumView::OnTopShow, this);
  }
  if (!target_) {
    UpdateCursor();
    ArmTimer(kTickAfterFrameMs);
  }
}

void AquariumView::CreateTarget() {
#ifdef PELAVO_NATIVE_WAYLAND
  // Wayland has no GLX: the view itself is covered by an EGL child surface, made once the
  // view is on screen.
  if (view::WaylandTarget::ToolkitOnWayland()) {
    ownTarget_ = std::make_unique<view::WaylandTarget>(this);
    target_ = ownTarget_.get();
    return;
  }
#endif
  wxGLAttributes attributes;
  if (!TankCanvas::ChooseAttributes(attributes)) return;
  canvas_ = new TankCanvas(this, attributes);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(canvas_, 1, wxEXPAND);
  SetSizer(sizer);
  target_ = canvas_;
}

wxWindow* AquariumView::InputWindow() {
  if (target_) return target_->Window();
  return this;
}

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

// ---- creation: context, scene start-up, dialogs, timer ----

bool AquariumView::StartUp() {
  starting_ = true;
  if (!target_->CreateContext()) {
    contextFailed_ = true;
    platform::ShowMessageBox(kSetPixelFormatFailed);
    starting_ = false;
    ArmTimer(kTickAfterFrameMs);  // the tick still runs: no frames, but the music hand-off
    return false;
  }
  // Window sizes are in logical pixels; the framebuffer, the projection and picking work in
  // the physical pixels of a scaled screen.
  scale_ = target_->PixelScale();
  cursors_.SetScale(target_->CursorImageScale());
  const wxSize client = target_->Window()->GetClientSize();
  ApplySize(static_cast<int>(std::lround(client.x * scale_)),
            static_cast<int>(std::lround(client.y * scale_)));

  const wxRect screen = wxDisplay().GetGeometry();  // the primary monitor
  const bool complete =
      scene_.Startup(static_cast<int>(std::lround(screen.width * scale_)),
                     static_cast<int>(std::lround(screen.height * scale_)));
  if (complete) {
    musicDialog_ = new CustomMusicDialog(this);
    musicDialog_->Hide();
    backgroundDialog_ = new CustomBackgroundDialog(this);
    backgroundDialog_->Hide();
  }
  // Covered or unmapped X11 windows are still drawn by the toolkit: watch for that ourselves.
  // A Wayland compositor tells by sending no frame callbacks.
  if (canvas_) windowState_.Watch(canvas_->GetXWindow());
  // Frames are drawn from paints, and the toolkit's frame clock lets paints through at most
  // once per refresh, counted from the previous frame's start: a wait of our own on top
  // would only make frames late (53 instead of 60 a second with short frames). On Wayland
  // the compositor's frame callbacks ask for the paints.
  pacer_.SetDisplayPaces(true);
  started_ = true;
  starting_ = false;
  UpdateCursor();
  ArmTimer(kTickAfterFrameMs);
  return complete;
}

// ---- the frame loop ----

void AquariumView::ArmTimer(int milliseconds) {
  if (tornDown_) return;
  timer_.StartOnce(std::max(1, milliseconds));
}

void AquariumView::DrawFrame() {
  // The refresh interval is counted from the start of this frame, so the frame's own time
  // is part of the interval, not added to it.
  const auto now = view::FramePacer::Clock::now();
  pacer_.FrameStarted(now);
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

void AquariumView::TickWithoutContext() {
  pacer_.FrameStarted(view::FramePacer::Clock::now());
  settings::DefaultMusicTick();
  const auto wait = pacer_.WaitBeforeFrame(view::FramePacer::Clock::now());
  ArmTimer(std::max<int>(kTickAfterFrameMs, static_cast<int>(wait.count())));
}

void AquariumView::AfterFrame() {
  settings::DefaultMusicTick();
  if (DrawsOnWayland()) return;  // the compositor's frame callback asks for the next frame
  // The next frame is asked for as soon as the toolkit has run its idle work (deferred
  // deletes, queued calls, the close a signal asks for), not a timer tick later: the toolkit's
  // frame clock holds the paint to the refresh, and a slow frame is followed at once. Asked
  // for from inside this paint, the next paint would come before any idle work ever could.
  timer_.Stop();
  CallAfter([this] {
    if (!tornDown_) ScheduleNext(false);
  });
}

void AquariumView::RequestRepaint() {
  if (!repaintRequested_) {
    repaintRequested_ = true;
    repaintRequestedAt_ = view::FramePacer::Clock::now();
  }
  if (target_) target_->Window()->Refresh(false);
}

void AquariumView::ReadWindowState() {
  if (!windowState_.Poll()) return;
  HoldFrames(view::HiddenReasons::kUnmapped, windowState_.Unmapped());
  HoldFrames(view::HiddenReasons::kObscured, windowState_.Obscured());
}

void AquariumView::HoldFrames(view::HiddenReasons::Reason reason, bool holds) {
  // Time stops while the window cannot be seen. Seen again: the picture is drawn anew and
  // the next tick comes at once instead of after the slow poll.
  if (holds) driver_.Hold();
  if (hidden_.Set(reason, holds)) {
    driver_.RequestRedraw();
    if (started_) ArmTimer(kTickAfterFrameMs);
  }
}

void AquariumView::OnTopIconize(wxIconizeEvent& event) {
  HoldFrames(view::HiddenReasons::kIconized, event.IsIconized());
  event.Skip();
}

void AquariumView::OnTopShow(wxShowEvent& event) {
  HoldFrames(view::HiddenReasons::kNotShown, !event.IsShown());
  event.Skip();
}

void AquariumView::OnCompositorFrameDue() {
  // The frame is drawn as soon as the toolkit is idle, not through a paint: a paint would
  // wait for the toolkit's own frame clock and redraw the window's whole surface under the
  // picture for every frame (a fifth more processor time at 1280x720, at the same rate).
  CallAfter([this] {
    if (!tornDown_ && started_ && target_->FrameDue()) DrawFrame();
  });
}

void AquariumView::CompositorTick() {
  // The compositor paces the frames and sends no frame callbacks while it does not show the
  // window, so nothing is drawn then; the window's own minimise and show events are not
  // needed (and a Wayland client is never told when it is restored). The tick hands the
  // music on and asks again for a paint that a due frame is still waiting for.
  settings::DefaultMusicTick();
  if (started_ && target_->FrameDue()) RequestRepaint();
  ArmTimer(kRepaintGuardMs);
}

void AquariumView::OnTimer(wxTimerEvent&) {
  if (tornDown_) return;
  if (DrawsOnWayland()) {
    CompositorTick();
    return;
  }
  ScheduleNext(true);
}

void AquariumView::ScheduleNext(bool fromTimer) {
  ReadWindowState();
  if (started_ && repaintRequested_ &&
      view::FramePacer::Clock::now() - repaintRequestedAt_ >= kNoPaintAfter)
    hidden_.Set(view::HiddenReasons::kNoPaint, true);
  if (hidden_.Hidden()) {
    driver_.Hold();
    // Nothing is drawn; only the music hand-off goes on. When the toolkit's silence is the
    // only sign, a repaint request finds out whether it draws again.
    if (fromTimer) settings::DefaultMusicTick();
    if (started_ && hidden_.OnlyNoPaint()) RequestRepaint();
    ArmTimer(kHiddenPollMs);
    return;
  }
  const auto wait = pacer_.WaitBeforeFrame(view::FramePacer::Clock::now());
  if (wait.count() > 0) {
    ArmTimer(static_cast<int>(wait.count()));
    return;
  }
  if (started_) {
    // The frame is drawn by the paint handler; the guard tick keeps the chain alive if the
    // repaint never comes.
    RequestRepaint();
    ArmTimer(kRepaintGuardMs);
  } else if (contextFailed_) {
    TickWithoutContext();
  } else {
    ArmTimer(kRepaintGuardMs);
  }
}

void AquariumView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(target_->Window());  // validates the window
  if (tornDown_ || starting_) return;
  // The toolkit draws the window: whatever it asked for, it can be drawn.
  repaintRequested_ = false;
  if (hidden_.Has(view::HiddenReasons::kNoPaint)) HoldFrames(view::HiddenReasons::kNoPaint, false);
  if (!started_ && !contextFailed_) StartUp();
  // On Wayland a paint the toolkit makes by itself draws nothing until the compositor has
  // shown the last frame.
  if (started_ && target_->FrameDue()) DrawFrame();
}

void AquariumView::OnEraseBackground(wxEraseEvent&) {
  // Every frame clears the whole buffer itself.
}

void AquariumView::ApplySize(int width, int height) {
  if (height == 0) height = 1;
  lastViewport_ = wxSize(width, height);
  driver_.RequestRedraw();
  if (!target_ || tornDown_ || !target_->MakeCurrent()) return;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfView, static_cast<double>(width) / static_cast<double>(height),
                 kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void AquariumView::OnSize(wxSizeEvent& event) {
  event.Skip();
  // The target's window has no border: the new window size is the new client size, in
  // physical pixels for the viewport. The context can only be made current once the window
  // is on screen.
  if (target_) scale_ = target_->PixelScale();
  const wxSize size = event.GetSize();
  const int width = static_cast<int>(std::lround(size.x * scale_));
  const int height = static_cast<int>(std::lround(size.y * scale_));
  if (target_ && target_->HasContext() && target_->Window()->IsShownOnScreen())
    ApplySize(width, height);
  else
    lastViewport_ = wxSize(width, height == 0 ? 1 : height);
}

// ---- keys and mouse ----

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

void AquariumView::OnLeftDown(wxMouseEvent& event) {
  if (!InputWindow()->HasFocus()) SetFocus();
  const wxPoint p = ToPixels(event.GetPosition());
  scene_.OnLeftDown(p.x, p.y);
  UpdateCursor();
  event.Skip();
}

void AquariumView::OnLeftUp(wxMouseEvent& event) {
  scene_.OnLeftUp();
  UpdateCursor();
  event.Skip();
}

void AquariumView::OnMotion(wxMouseEvent& event) {
  UpdateCursor();
  const wxPoint p = ToPixels(event.GetPosition());
  scene_.OnMouseMove(p.x, p.y);
  event.Skip();
}

// The toolkit reports the second press of a double click only as the double click, so
// that press changes neither the button state nor a pending feed click.
void AquariumView::OnLeftDoubleClick(wxMouseEvent& event) {
  scene_.OnLeftDoubleClick();
  UpdateCursor();
  event.Skip();
}

void AquariumView::OnRightDown(wxMouseEvent& event) {
  auto* menu = new IconMenu(this);
  for (const MenuEntry& e : kMenuEntries) menu->Append(e.command, IconMenuItem{e.icon, e.icon, e.text});
  const int chosen = menu->Track(InputWindow()->ClientToScreen(event.GetPosition()));
  menu->Destroy();
  event.Skip();
  if (chosen != 0) RunCommand(chosen);
}

// ---- commands ----

void AquariumView::RunCommand(int commandId) {
  scene_.SetMode(commandId);
  switch (commandId) {
    case kCmdAddDeleteFish: {
      FishSettingsDialog dialog(this);
      dialog.ShowModal();
      break;
    }
    case kCmdCustomMusic:
      CentreAndShow(musicDialog_);
      break;
    case kCmdCustomBackground:
      CentreAndShow(backgroundDialog_);
      break;
    case kCmdExit:
      SaveDialogs();
      Teardown();
      std::fflush(nullptr);
      std::_Exit(0);
    default:
      break;
  }
  if (commandId == kCmdAddDeleteFish || commandId == kCmdCustomMusic ||
      commandId == kCmdCustomBackground) {
    scene_.SetMode(kCmdFeed);
    UpdateCursor();
  }
}

// ---- teardown ----

void AquariumView::OnDestroy(wxWindowDestroyEvent& event) {
  if (event.GetEventObject() == this) Teardown();
  event.Skip();
}

void AquariumView::SaveDialogs() {
  if (musicDialog_) musicDialog_->SaveNow();
  if (backgroundDialog_) backgroundDialog_->SaveNow();
}

void AquariumView::Teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  if (target_) target_->ReleaseContext();
  windowState_.Stop();
  DestroyDialog(musicDialog_);
  DestroyDialog(backgroundDialog_);
  timer_.Stop();
}
