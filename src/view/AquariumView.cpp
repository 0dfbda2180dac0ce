#include "view/AquariumView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/toplevel.h>

#include "platform/MessageBox.h"
#include "ui/CommandId.h"
#include "ui/IconMenu.h"
#include "view/FrameReport.h"

#include "settings/CustomBackgroundDialog.h"
#include "settings/CustomMusicDialog.h"
#include "settings/DefaultMusic.h"
#include "settings/FishSettingsDialog.h"

namespace {

constexpr int kDepthBitsWanted = 32;
constexpr int kDepthBitsFallback = 24;
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

wxGLAttributes AttributesWithDepth(int bits) {
  wxGLAttributes a;
  a.PlatformDefaults().RGBA().DoubleBuffer().Depth(bits).EndList();
  return a;
}

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

bool AquariumView::ChooseAttributes(wxGLAttributes& out) {
  for (int bits : {kDepthBitsWanted, kDepthBitsFallback}) {
    wxGLAttributes a = AttributesWithDepth(bits);
    if (wxGLCanvas::IsDisplaySupported(a)) {
      out = a;
      return true;
    }
  }
  platform::ShowMessageBox(kChoosePixelFormatFailed);
  return false;
}

AquariumView::AquariumView(wxWindow* parent, const wxGLAttributes& attributes)
    : wxGLCanvas(parent, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      timer_(this) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetBackgroundColour(*wxBLACK);
  Bind(wxEVT_PAINT, &AquariumView::OnPaint, this);
  Bind(wxEVT_ERASE_BACKGROUND, &AquariumView::OnEraseBackground, this);
  Bind(wxEVT_SIZE, &AquariumView::OnSize, this);
  Bind(wxEVT_TIMER, &AquariumView::OnTimer, this, timer_.GetId());
  Bind(wxEVT_KEY_DOWN, &AquariumView::OnKeyDown, this);
  Bind(wxEVT_LEFT_DOWN, &AquariumView::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &AquariumView::OnLeftUp, this);
  Bind(wxEVT_MOTION, &AquariumView::OnMotion, this);
  Bind(wxEVT_LEFT_DCLICK, &AquariumView::OnLeftDoubleClick, this);
  Bind(wxEVT_RIGHT_DOWN, &AquariumView::OnRightDown, this);
  Bind(wxEVT_DESTROY, &AquariumView::OnDestroy, this);
  // Minimising and hiding are told to the top-level window, not to its children.
  topWindow_ = wxGetTopLevelParent(parent);
  if (topWindow_) {
    topWindow_->Bind(wxEVT_ICONIZE, &AquariumView::OnTopIconize, this);
    topWindow_->Bind(wxEVT_SHOW, &AquariumView::OnTopShow, this);
  }
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
  context_ = std::make_unique<wxGLContext>(this);
  if (!context_->IsOK() || !SetCurrent(*context_)) {
    context_.reset();
    contextFailed_ = true;
    platform::ShowMessageBox(kSetPixelFormatFailed);
    starting_ = false;
    ArmTimer(kTickAfterFrameMs);  // the tick still runs: no frames, but the music hand-off
    return false;
  }
  const wxSize client = GetClientSize();
  ApplySize(client.x, client.y);

  const wxRect screen = wxDisplay(0u).GetGeometry();
  const bool complete = scene_.Startup(screen.width, screen.height);
  if (complete) {
    musicDialog_ = new CustomMusicDialog(this);
    musicDialog_->Hide();
    backgroundDialog_ = new CustomBackgroundDialog(this);
    backgroundDialog_->Hide();
  }
  // Covered or unmapped windows are still drawn by the toolkit: watch for that ourselves.
  windowState_.Watch(GetXWindow());
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
  SetCurrent(*context_);
  scene_.RunFrame();
  glFinish();
  SwapBuffers();
  ++framesDrawn_;
  AfterFrame();
}

void AquariumView::AfterFrame() {
  const auto now = view::FramePacer::Clock::now();
  pacer_.FrameDrawn(now);
  settings::DefaultMusicTick();
  const auto wait = pacer_.WaitBeforeFrame(view::FramePacer::Clock::now());
  ArmTimer(std::max<int>(kTickAfterFrameMs, static_cast<int>(wait.count())));
}

void AquariumView::RequestRepaint() {
  if (!repaintRequested_) {
    repaintRequested_ = true;
    repaintRequestedAt_ = view::FramePacer::Clock::now();
  }
  Refresh(false);
}

void AquariumView::ReadWindowState() {
  if (!windowState_.Poll()) return;
  HoldFrames(view::HiddenReasons::kUnmapped, windowState_.Unmapped());
  HoldFrames(view::HiddenReasons::kObscured, windowState_.Obscured());
}

void AquariumView::HoldFrames(view::HiddenReasons::Reason reason, bool holds) {
  // Seen again: the next tick comes at once instead of after the slow poll.
  if (hidden_.Set(reason, holds) && started_) ArmTimer(kTickAfterFrameMs);
}

void AquariumView::OnTopIconize(wxIconizeEvent& event) {
  HoldFrames(view::HiddenReasons::kIconized, event.IsIconized());
  event.Skip();
}

void AquariumView::OnTopShow(wxShowEvent& event) {
  HoldFrames(view::HiddenReasons::kNotShown, !event.IsShown());
  event.Skip();
}

void AquariumView::OnTimer(wxTimerEvent&) {
  if (tornDown_) return;
  ReadWindowState();
  if (started_ && repaintRequested_ &&
      view::FramePacer::Clock::now() - repaintRequestedAt_ >= kNoPaintAfter)
    hidden_.Set(view::HiddenReasons::kNoPaint, true);
  if (hidden_.Hidden()) {
    // Nothing is drawn; only the music hand-off goes on. When the toolkit's silence is the
    // only sign, a repaint request finds out whether it draws again.
    settings::DefaultMusicTick();
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
    AfterFrame();
  } else {
    ArmTimer(kRepaintGuardMs);
  }
}

void AquariumView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);  // validates the window
  if (tornDown_ || starting_) return;
  // The toolkit draws the window: whatever it asked for, it can be drawn.
  repaintRequested_ = false;
  if (hidden_.Has(view::HiddenReasons::kNoPaint)) HoldFrames(view::HiddenReasons::kNoPaint, false);
  if (!started_ && !contextFailed_) StartUp();
  if (started_) DrawFrame();
}

void AquariumView::OnEraseBackground(wxEraseEvent&) {
  // Every frame clears the whole buffer itself.
}

void AquariumView::ApplySize(int width, int height) {
  if (height == 0) height = 1;
  lastViewport_ = wxSize(width, height);
  if (!context_ || tornDown_) return;
  SetCurrent(*context_);
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
  // The canvas has no border: the new window size is the new client size. The context can
  // only be made current once the window is on screen.
  const wxSize size = event.GetSize();
  if (context_ && IsShownOnScreen())
    ApplySize(size.x, size.y);
  else
    lastViewport_ = wxSize(size.x, size.y == 0 ? 1 : size.y);
}

// ---- keys and mouse ----

void AquariumView::OnKeyDown(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_F1) scene_.ToggleOverlay();
  event.Skip();  // no key is consumed here
}

void AquariumView::UpdateCursor() {
  const int id = scene_.CursorId();
  if (id == 0) return;
  if (const wxCursor* cursor = cursors_.Get(id)) SetCursor(*cursor);
}

void AquariumView::OnLeftDown(wxMouseEvent& event) {
  if (!HasFocus()) SetFocus();
  const wxPoint p = event.GetPosition();
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
  scene_.OnMouseMove(event.GetX(), event.GetY());
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
  const int chosen = menu->Track(ClientToScreen(event.GetPosition()));
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
  view::WriteFrameReport(framesDrawn_);
  // The context's destructor makes no context current when it is the current one.
  context_.reset();
  windowState_.Stop();
  DestroyDialog(musicDialog_);
  DestroyDialog(backgroundDialog_);
  timer_.Stop();
}
