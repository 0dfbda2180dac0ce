#include "ui/LedCheckButton.h"

#include <wx/dcclient.h>
#include <wx/renderer.h>

#include <algorithm>

#include "ui/LedLampLayout.h"
#include "ui/ResourceBitmap.h"
#include "ui/WxDraw.h"

namespace {
constexpr int kHoverCornerRadius = 2;  // a 4 x 4 corner ellipse
constexpr int kPaddingY = 4;

ui::TextAlign AlignFromStyle(long style) {
  if (style & kLedTextCentre) return ui::TextAlign::Centre;
  if (style & kLedTextRight) return ui::TextAlign::Right;
  return ui::TextAlign::Left;
}
}  // namespace

wxBEGIN_EVENT_TABLE(LedCheckButton, PushControl)
  EVT_PAINT(LedCheckButton::OnPaint)
  EVT_SET_FOCUS(LedCheckButton::OnFocus)
  EVT_KILL_FOCUS(LedCheckButton::OnFocus)
  EVT_KEY_UP(LedCheckButton::OnKeyUp)
wxEND_EVENT_TABLE()

LedCheckButton::LedCheckButton(wxWindow* parent, wxWindowID id, const wxString& label,
                               const wxPoint& pos, const wxSize& size, long style)
    : diameter_(ui::kLampDiameter), onColour_(ui::kLampOnColour), offColour_(ui::kLampOffColour) {
  Create(parent, id, pos, size, style | wxBORDER_NONE, wxDefaultValidator, "ledcheck");
  wxControl::SetLabel(label);
  SetInitialSize(size);
}

void LedCheckButton::SetCheck(int state, bool redraw) {
  checked_ = ui::NormaliseCheck(state);
  if (redraw) Refresh();
}

void LedCheckButton::SetIcons(int onIconId, int offIconId) {
  onIcon_ = wxBitmap();
  offIcon_ = wxBitmap();
  wxBitmap on = ui::ResourceBitmap(res::Type::Icon, onIconId);
  wxBitmap off = ui::ResourceBitmap(res::Type::Icon, offIconId);
  if (!on.IsOk() || !off.IsOk()) return;
  onIcon_ = on;
  offIcon_ = off;
  diameter_ = onIcon_.GetWidth();
  InvalidateBestSize();
  Refresh();
}

bool LedCheckButton::SetLampColours(ui::Rgb on, ui::Rgb off) {
  onColour_ = on;
  offColour_ = off;
  Refresh();
  return true;
}

void LedCheckButton::SetLabel(const wxString& label) {
  wxControl::SetLabel(label);
  Refresh();
}

bool LedCheckButton::Enable(bool enable) {
  const bool changed = wxControl::Enable(enable);
  Refresh();
  return changed;
}

wxSize LedCheckButton::DoGetBestSize() const {
  const wxSize text = GetTextExtent(GetLabel());
  const int room = ui::kLampFrameInset + 1;
  return wxSize(text.x + diameter_ + ui::kLampTextGap + 2 * room,
                std::max(text.y, diameter_) + 2 * (room + kPaddingY));
}

void LedCheckButton::Render(wxDC& dc) const {
  const wxSize size = GetClientSize();
  const ui::Box item{0, 0, size.x, size.y};
  const bool pressed = state_.pressed();
  const bool disabled = !IsEnabled();
  const bool focused = HasFocus();
  const wxColour face = ui::SystemColour(wxSYS_COLOUR_BTNFACE);
  const wxColour shadow = ui::SystemColour(wxSYS_COLOUR_BTNSHADOW);
  const wxColour highlight = ui::SystemColour(wxSYS_COLOUR_BTNHIGHLIGHT);

  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  if (state_.hovered()) {
    dc.SetBrush(wxBrush(highlight));
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRoundedRectangle(0, 0, size.x, size.y, kHoverCornerRadius);
  } else {
    dc.SetBrush(wxBrush(face));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(0, 0, size.x, size.y);
  }
  if (focused) {
    wxRendererNative::Get().DrawFocusRect(const_cast<LedCheckButton*>(this), dc,
                                          ui::ToWx(item.inset(ui::kLampFrameInset)));
  }

  const long style = GetWindowStyleFlag();
  const ui::LampLayout layout = ui::LayoutLamp(item, diameter_, (style & kLedTextLeft) != 0);
  const int shift = pressed ? 1 : 0;
  if (HasIcons()) {
    const ui::Box box = ui::IconBox(layout.lamp, onIcon_.GetWidth()).moved(shift, shift);
    const wxBitmap& icon = checked_ ? onIcon_ : offIcon_;
    const wxBitmap drawn = disabled ? icon.ConvertToDisabled() : icon;
    dc.DrawBitmap(drawn, box.left, box.top, true);
  } else {
    const ui::Box box = layout.lamp.moved(shift, shift);
    const wxColour fill = ui::ToWx(
        ui::LampFill(disabled, checked_ != 0, onColour_, offColour_, ui::FromWx(shadow)));
    dc.SetBrush(wxBrush(fill));
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawEllipse(ui::ToWx(box));
    dc.SetPen(wxPen(ui::ToWx(offColour_), 1));
    dc.DrawEllipse(ui::ToWx(box.inset(1)));
  }

  const wxString label = GetLabel();
  if (label.empty()) return;
  dc.SetFont(GetFont());
  const ui::Box room = layout.text;
  const auto lines = ui::WrapWords(label.ToStdString(wxConvUTF8), room.width(),
                                   [&dc](const std::string& s) {
                                     return dc.GetTextExtent(wxString::FromUTF8(s)).x;
                                   });
  const int lineHeight = dc.GetCharHeight();
  int blockWidth = 0;
  for (const auto& l : lines) blockWidth = std::max(blockWidth, dc.GetTextExtent(wxString::FromUTF8(l)).x);
  const int blockHeight = lineHeight * static_cast<int>(lines.size());
  const ui::TextAlign align = AlignFromStyle(style);
  const int left = room.left + ui::AlignOffset(room.width() - blockWidth, align) + shift;
  const int top = room.top + (room.height() - blockHeight) / 2 + shift;
  const auto drawLines = [&](const wxColour& colour, int dx) {
    dc.SetTextForeground(colour);
    int y = top + dx;
    for (const auto& l : lines) {
      const wxString s = wxString::FromUTF8(l);
      const int w = dc.GetTextExtent(s).x;
      dc.DrawText(s, left + dx + ui::AlignOffset(blockWidth - w, align), y);
      y += lineHeight;
    }
  };
  if (disabled) {
    drawLines(highlight, 1);
    drawLines(shadow, 0);
  } else {
    drawLines(ui::SystemColour(wxSYS_COLOUR_BTNTEXT), 0);
  }
}

void LedCheckButton::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Render(dc);
}

void LedCheckButton::OnFocus(wxFocusEvent& e) {
  Refresh();
  e.Skip();
}

void LedCheckButton::OnKeyUp(wxKeyEvent& e) {
  if (IsEnabled() && e.GetKeyCode() == WXK_SPACE) {
    Toggle();
    return;
  }
  e.Skip();
}

void LedCheckButton::Toggle() {
  checked_ = checked_ ? 0 : 1;
  Refresh();
  // Posted, not sent: the parent's handler runs after this click has finished and sees the
  // new state.
  auto* click = new wxCommandEvent(wxEVT_BUTTON, GetId());
  click->SetEventObject(this);
  click->SetInt(checked_);
  GetEventHandler()->QueueEvent(click);
}
