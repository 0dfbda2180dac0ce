#include "app/MainFrame.h"

#include <cstdio>
#include <cstdlib>

#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/icon.h>
#include <wx/sizer.h>

#include "platform/SettingsDir.h"
#include "platform/UrlOpener.h"
#include "ui/ResourceImage.h"
#include "view/AquariumView.h"
#include "resource_ids.h"

namespace {

constexpr const char* kFrameTitle = "PelavoScr";
constexpr int kProgramIconId = res::id::kPelavo64;

// True when a window manager runs that keeps the desktop's full-screen state (EWMH
// _NET_WM_STATE_FULLSCREEN); Wayland compositors always do. Without one the frame is simply
// placed over the monitor: the toolkit's own stand-in for the state overshoots it by a pixel.
bool DesktopKeepsFullScreenState() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) return false;
#ifdef GDK_WINDOWING_X11
  if (GDK_IS_X11_DISPLAY(display))
    return gdk_x11_screen_supports_net_wm_hint(
        gdk_display_get_default_screen(display),
        gdk_atom_intern_static_string("_NET_WM_STATE_FULLSCREEN"));
#endif
  return true;
}

}  // namespace

CMainFrame::CMainFrame(bool openGl)
    : wxFrame(nullptr, wxID_ANY, kFrameTitle, wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE),
      openGl_(openGl) {
  SetBackgroundColour(*wxBLACK);
  const wxImage icon = ui::LoadResourceImage(res::Type::Icon, kProgramIconId);
  if (icon.IsOk()) {
    wxIcon i;
    i.CopyFromBitmap(wxBitmap(icon));
    SetIcon(i);
  }
  wxEvtHandler::AddFilter(&escapeHeld_);
  Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
  Bind(wxEVT_SET_FOCUS, &CMainFrame::OnSetFocus, this);
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
  CreateView();
}

void CMainFrame::CreateView() {
  // The check scene start-up makes again before it unpacks; each shows the message.
  if (!platform::TempPathAvailable()) return;
  // Without a usable pixel format the view draws nothing but keeps its menu and keys.
  view_ = new AquariumView(this, openGl_);
  child_ = view_;
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(child_, 1, wxEXPAND);
  SetSizer(sizer);
}

CMainFrame::~CMainFrame() { wxEvtHandler::RemoveFilter(&escapeHeld_); }

int CMainFrame::HeldKey::FilterEvent(wxEvent& event) {
  // Every press comes first as the char hook of its top-level window (a key event follows
  // only when that is not handled), every release as a key-up.
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_CHAR_HOOK || type == wxEVT_KEY_UP) {
    const auto& key = static_cast<const wxKeyEvent&>(event);
    if (key.GetKeyCode() == WXK_ESCAPE) {
      const bool down = type == wxEVT_CHAR_HOOK;
      repeated_ = down && held_;
      held_ = down;
    }
  }
  return Event_Skip;
}

void CMainFrame::ShowCoveringScreen() {
  // The primary monitor, panels included. Sized before it is shown (without a window manager
  // nothing else sizes it), then shown in the desktop's full-screen state: a window manager
  // puts it above its panels and over the whole monitor, where maximising would stop at them.
  const wxRect screen = wxDisplay().GetGeometry();
  SetSize(screen);
  if (DesktopKeepsFullScreenState()) ShowFullScreen(true, wxFULLSCREEN_ALL);
  if (!IsShown()) Show();
  Layout();
  if (child_) child_->SetFocus();
}

void CMainFrame::ShowAsDesktop(app::DesktopSupport support) {
  desktop_ = true;
  if (view_) {
    view_->Commands().Media().MakeQuiet();
    view_->Commands().SetDesktopBackground(true);
    // Below every window, the background is covered whenever a window fills the monitor.
    view_->HoldWhenCoveredInStack();
  }
  app::MakeDesktopWindow(*this, support);
  // The primary monitor; a layer surface anchored to every edge covers its output anyway.
  SetSize(wxDisplay().GetGeometry());
  Show();
  Layout();
}

void CMainFrame::OnClose(wxCloseEvent& event) {
  // Closed by the window manager or a request to end (SIGTERM, SIGHUP at logout): the lists
  // the user built in the two dialogs are kept, as Esc and Exit keep them.
  if (view_) view_->Commands().SaveDialogs();
  event.Skip();  // the frame is destroyed as usual
}

wxDialog* CMainFrame::OpenModalDialog() {
  for (wxWindow* w : wxTopLevelWindows) {
    auto* dialog = dynamic_cast<wxDialog*>(w);
    if (dialog && dialog->IsModal()) return dialog;
  }
  return nullptr;
}

void CMainFrame::OnCharHook(wxKeyEvent& event) {
  // Esc ends the tank only when it was pressed in the tank's own window: a key meant for a
  // dialog or the menu (sent to that window by an on-screen keyboard, automation or a remote
  // desktop, which may reach this hook too) closes just that. The key's repeats do not end
  // it either: an Escape held down in a dialog closes the dialog, and the repeats that then
  // come to the tank are of a press that was not the tank's.
  auto* from = dynamic_cast<wxWindow*>(event.GetEventObject());
  const bool ours = from && wxGetTopLevelParent(from) == this && !OpenModalDialog();
  if (event.GetKeyCode() == WXK_ESCAPE && ours && !escapeHeld_.Repeated()) {
    if (view_) view_->Commands().SaveDialogs();
    // The background ends quietly: a page opening over the user's work is not wanted.
    if (!desktop_) platform::OpenUrl(platform::AboutPageUrl());
    std::fflush(nullptr);
    std::_Exit(0);
  }
  event.Skip();
}

void CMainFrame::SetFocus() {
  if (child_)
    child_->SetFocus();
  else
    wxFrame::SetFocus();
}

void CMainFrame::OnSetFocus(wxFocusEvent& event) {
  if (child_) child_->SetFocus();
  event.Skip();
}
