#include "ui/FlatButton.h"

#include <wx/dcbuffer.h>

#include "ui/FlatButtonLook.h"
#include "ui/WxDraw.h"

namespace {
constexpr int kPaddingX = 12;
constexpr int kPaddingY = 6;

// One axis-aligned pen segment from (x0, y0) towards (x1, y1), its last point left out, drawn
// as a 1-pixel fill so that it lands on exact pixels.
void Segment(wxDC& dc, int x0, int y0, int x1, int y1) {
  if (x0 == x1) {
    if (y0 == y1) return;
    const int top = y0 < y1 ? y0 : y1 + 1;
    dc.DrawRectangle(x0, top, 1, y0 < y1 ? y1 - y0 : y0 - y1);
  } else {
    const int left = x0 < x1 ? x0 : x1 + 1;
    dc.DrawRectangle(left, y0, x0 < x1 ? x1 - x0 : x0 - x1, 1);
  }
}
}  // namespace

wxBEGIN_EVENT_TABLE(FlatButton, PushControl)
  EVT_PAINT(FlatButton::OnPaint)
  EVT_KILL_FOCUS(FlatButton::OnKillFocus)
  EVT_KEY_UP(FlatButton::OnKeyUp)
wxEND_EVENT_TABLE()

FlatButton::FlatButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                       const wxSize& size, long style)
    : normalBack_(ui::SystemColour(wxSYS_COLOUR_BTNFACE)),
      normalText_(ui::SystemColour(wxSYS_COLOUR_BTNTEXT)),
      activeBack_(ui::SystemColour(wxSYS_COLOUR_BTNFACE)),
      activeText_(ui::SystemColour(wxSYS_COLOUR_BTNTEXT)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, id, pos, size, style | wxBORDER_NONE, wxDefaultValidator, "flatbutton");
  wxControl::SetLabel(label);
  SetInitialSize(size);
}

void FlatButton::SetLabel(const wxString& label) {
  wxControl::SetLabel(label);
  Refresh();
}

wxSize FlatButton::DoGetBestSize() const {
  const wxSize text = GetTextExtent(wxControl::RemoveMnemonics(GetLabel()));
  return wxSize(text.x + 2 * kPaddingX, text.y + 2 * kPaddingY);
}

void FlatButton::Render(wxDC& dc) const {
  const wxSize size = GetClientSize();
  const ui::Box item{0, 0, size.x, size.y};
  const bool pressed = state_.pressed();
  const bool active = state_.hovered() || pressed;

  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(active ? activeBack_ : normalBack_));
  dc.DrawRectangle(0, 0, size.x, size.y);

  const ui::EdgeStyle edge = ui::FlatButtonEdge(state_.hovered(), pressed);
  if (edge != ui::EdgeStyle::None) {
    for (const auto& line : ui::EdgePolylines(item, edge)) {
      dc.SetBrush(wxBrush(ui::SystemColour(line.shadowColour ? wxSYS_COLOUR_BTNSHADOW
                                                             : wxSYS_COLOUR_BTNHIGHLIGHT)));
      const auto& p = line.points;
      Segment(dc, p[0], p[1], p[2], p[3]);
      Segment(dc, p[2], p[3], p[4], p[5]);
    }
  }

  const wxString label = GetLabel();
  if (label.empty()) return;
  wxString text;
  const int accel = wxControl::FindAccelIndex(label, &text);
  dc.SetFont(GetFont());
  const wxSize extent = dc.GetTextExtent(text);
  const ui::Point at = ui::CaptionOrigin(item, extent.x, extent.y, pressed);
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  const auto draw = [&](const wxColour& colour, int dx) {
    dc.SetTextForeground(colour);
    dc.DrawLabel(text, wxRect(at.x + dx, at.y + dx, extent.x, extent.y),
                 wxALIGN_LEFT | wxALIGN_TOP, accel);
  };
  if (!IsEnabled()) {
    draw(ui::SystemColour(wxSYS_COLOUR_BTNHIGHLIGHT), 1);
    draw(ui::SystemColour(wxSYS_COLOUR_BTNSHADOW), 0);
  } else {
    draw(active ? activeText_ : normalText_, 0);
  }
}

void FlatButton::OnPaint(wxPaintEvent&) {
  wxBufferedPaintDC dc(this);
  Render(dc);
}

void FlatButton::OnKillFocus(wxFocusEvent& e) {
  if (state_.hovered() && !state_.pressing()) {
    state_.pointerLeave();
    Refresh();
  }
  e.Skip();
}

void FlatButton::OnKeyUp(wxKeyEvent& e) {
  if (IsEnabled() && e.GetKeyCode() == WXK_SPACE) {
    SendClick();
    return;
  }
  e.Skip();
}

void FlatButton::SendClick() {
  wxCommandEvent click(wxEVT_BUTTON, GetId());
  click.SetEventObject(this);
  ProcessWindowEvent(click);
}
