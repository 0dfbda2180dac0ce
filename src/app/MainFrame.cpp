#include "app/MainFrame.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <wx/display.h>
#include <wx/icon.h>
#include <wx/sizer.h>

#include "platform/MessageBox.h"
#include "platform/UrlOpener.h"
#include "ui/ResourceImage.h"
#include "view/AquariumView.h"

namespace {

constexpr const char* kFrameTitle = "PelavoScr";
constexpr int kProgramIconId = 128;
constexpr const char* kTempPathError = "Error Find TempPath.";
constexpr const char* kTempPathErrorCaption = "ERROR";

bool TempDirectoryFound() {
  std::error_code ec;
  const auto dir = std::filesystem::temp_directory_path(ec);
  return !ec && !dir.empty();
}

}  // namespace

CMainFrame::CMainFrame()
    : wxFrame(nullptr, wxID_ANY, kFrameTitle, wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE) {
  SetBackgroundColour(*wxBLACK);
  const wxImage icon = ui::LoadResourceImage(res::Type::Icon, kProgramIconId);
  if (icon.IsOk()) {
    wxIcon i;
    i.CopyFromBitmap(wxBitmap(icon));
    SetIcon(i);
  }
  Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
  Bind(wxEVT_SET_FOCUS, &CMainFrame::OnSetFocus, this);
  CreateView();
}

void CMainFrame::CreateView() {
  if (!TempDirectoryFound()) {
    platform::ShowMessageBox(kTempPathError, kTempPathErrorCaption);
    return;
  }
  wxGLAttributes attributes;
  if (AquariumView::ChooseAttributes(attributes)) {
    view_ = new AquariumView(this, attributes);
    child_ = view_;
  } else {
    // No usable pixel format: a black, empty pane; Esc still ends the program.
    child_ = new wxWindow(this, wxID_ANY);
    child_->SetBackgroundColour(*wxBLACK);
  }
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(child_, 1, wxEXPAND);
  SetSizer(sizer);
}

void CMainFrame::ShowCoveringScreen() {
  const wxRect screen = wxDisplay(0u).GetGeometry();
  // Sized before it is shown (without a window manager nothing else sizes it), then
  // maximised for a window manager, which covers the screen as the frame has no border.
  SetSize(screen);
  Show();
  Maximize();
  Layout();
  if (child_) child_->SetFocus();
}

void CMainFrame::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_ESCAPE) {
    if (view_) view_->SaveDialogs();
    platform::OpenUrl(platform::AboutPageUrl());
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
