#include "ui/HyperLink.h"

#include <wx/dcclient.h>
#include <wx/utils.h>

#include "platform/MessageBox.h"
#include "platform/UrlOpener.h"
#include "ui/LinkColours.h"
#include "ui/WxDraw.h"

namespace {
constexpr const char* kOpenFailedPrefix = "Unable to open hyperlink:\n\n";
}

wxBEGIN_EVENT_TABLE(HyperLink, wxControl)
  EVT_PAINT(HyperLink::OnPaint)
  EVT_ENTER_WINDOW(HyperLink::OnEnter)
  EVT_LEAVE_WINDOW(HyperLink::OnLeave)
  EVT_LEFT_DOWN(HyperLink::OnLeftDown)
  EVT_LEFT_UP(HyperLink::OnLeftUp)
  EVT_MOUSE_CAPTURE_LOST(HyperLink::OnCaptureLost)
wxEND_EVENT_TABLE()

HyperLink::HyperLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxString& url,
                     const wxPoint& pos, const wxSize& size, long style)
    : url_(url.empty() ? label : url), opener_(platform::OpenUrl) {
  Create(parent, id, pos, size, style | wxBORDER_NONE, wxDefaultValidator, "hyperlink");
  wxControl::SetLabel(label);
  wxFont font = GetFont();
  font.SetUnderlined(true);
  SetFont(font);
  // Shrink to the text, keeping the left and top edges.
  SetMinSize(wxDefaultSize);
  InvalidateBestSize();
  const wxSize fitted = GetBestSize();
  SetMinSize(fitted);
  SetSize(fitted);
  SetCursor(wxCursor(wxCURSOR_HAND));
  SetToolTip(url_);
}

wxSize HyperLink::DoGetBestSize() const { return GetTextExtent(GetLabel()); }

wxColour HyperLink::TextColour() const {
  return ui::ToWx(ui::LinkTextColour(over_, visited_,
                                     ui::FromWx(ui::SystemColour(wxSYS_COLOUR_HIGHLIGHT))));
}

void HyperLink::Render(wxDC& dc) const {
  dc.SetBackground(wxBrush(GetParent() ? GetParent()->GetBackgroundColour()
                                       : GetBackgroundColour()));
  dc.Clear();
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  dc.SetFont(GetFont());
  dc.SetTextForeground(TextColour());
  dc.DrawText(GetLabel(), 0, 0);
}

void HyperLink::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Render(dc);
}

int HyperLink::Open() {
  const int code = opener_(url_.ToStdString(wxConvUTF8));
  if (code > 32) {
    visited_ = true;
    Refresh();
  } else {
    wxBell();
    platform::ShowMessageBox(kOpenFailedPrefix + platform::HyperlinkErrorText(code), "",
                             platform::kMbIconExclamation);
  }
  return code;
}

void HyperLink::OnEnter(wxMouseEvent& e) {
  over_ = true;
  Refresh();
  Update();
  e.Skip();
}

void HyperLink::OnLeave(wxMouseEvent& e) {
  if (!pressing_) {
    over_ = false;
    Refresh();
    Update();
  }
  e.Skip();
}

void HyperLink::OnLeftDown(wxMouseEvent& e) {
  pressing_ = true;
  if (!HasCapture()) CaptureMouse();
  e.Skip();
}

void HyperLink::OnLeftUp(wxMouseEvent& e) {
  if (!pressing_) return;
  pressing_ = false;
  if (HasCapture()) ReleaseMouse();
  const wxSize s = GetClientSize();
  const wxPoint p = e.GetPosition();
  const bool inside = p.x >= 0 && p.y >= 0 && p.x < s.x && p.y < s.y;
  if (!inside) {
    over_ = false;
    Refresh();
    return;
  }
  Open();
}

void HyperLink::OnCaptureLost(wxMouseCaptureLostEvent&) { pressing_ = false; }
