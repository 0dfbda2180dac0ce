#include "ui/RoundThumbSlider.h"

#include <wx/dcclient.h>
#include <wx/image.h>

#include <algorithm>

#include "ui/WxDraw.h"

namespace {
constexpr int kBestLength = 120;
constexpr int kBestThickness = 30;
constexpr int kMinPageSize = 1;
}  // namespace

wxBEGIN_EVENT_TABLE(RoundThumbSlider, wxControl)
  EVT_PAINT(RoundThumbSlider::OnPaint)
  EVT_LEFT_DOWN(RoundThumbSlider::OnLeftDown)
  EVT_LEFT_DCLICK(RoundThumbSlider::OnLeftDown)
  EVT_LEFT_UP(RoundThumbSlider::OnLeftUp)
  EVT_MOTION(RoundThumbSlider::OnMotion)
  EVT_LEAVE_WINDOW(RoundThumbSlider::OnLeave)
  EVT_MOUSEWHEEL(RoundThumbSlider::OnWheel)
  EVT_MOUSE_CAPTURE_LOST(RoundThumbSlider::OnCaptureLost)
  EVT_SET_FOCUS(RoundThumbSlider::OnFocus)
  EVT_KILL_FOCUS(RoundThumbSlider::OnFocus)
  EVT_KEY_DOWN(RoundThumbSlider::OnKeyDown)
wxEND_EVENT_TABLE()

RoundThumbSlider::RoundThumbSlider(wxWindow* parent, wxWindowID id, int value, int minValue,
                                   int maxValue, const wxPoint& pos, const wxSize& size, long style)
    : range_{minValue, maxValue} {
  Create(parent, id, pos, size, style | wxBORDER_NONE, wxDefaultValidator,
         "roundslider");
  value_ = ui::ClampToRange(value, range_);
  SetInitialSize(size);
}

ui::SliderShape RoundThumbSlider::Shape() const {
  const wxSize s = GetClientSize();
  const long style = GetWindowStyleFlag();
  const bool vertical = (style & wxSL_VERTICAL) != 0;
  return {s.x, s.y, vertical, (style & (vertical ? wxSL_LEFT : wxSL_TOP)) != 0};
}

wxSize RoundThumbSlider::DoGetBestSize() const {
  return (GetWindowStyleFlag() & wxSL_VERTICAL) ? wxSize(kBestThickness, kBestLength)
                                                : wxSize(kBestLength, kBestThickness);
}

void RoundThumbSlider::SetValue(int value) {
  value_ = ui::ClampToRange(value, range_);
  Refresh();
}

void RoundThumbSlider::SetRange(int minValue, int maxValue) {
  range_ = {minValue, maxValue};
  value_ = ui::ClampToRange(value_, range_);
  Refresh();
}

void RoundThumbSlider::SetThumbColour(ui::Rgb colour) {
  thumbColour_ = colour;
  Refresh();
}

void RoundThumbSlider::DrawThumb(wxDC& dc, const ui::Box& t) const {
  const wxColour green = ui::ToWx(ui::kSliderGreen);
  if (!ui::ThumbIsChequered(dragging_, hot_, HasFocus())) {
    dc.SetPen(wxPen(green, 1));
    dc.SetBrush(wxBrush(ui::ToWx(thumbColour_)));
    dc.DrawEllipse(ui::ToWx(t));
    return;
  }
  // The checkerboard is anchored at (right mod 8, top mod 8) of the thumb, so it keeps its
  // phase while the thumb moves; pixels outside the ellipse stay transparent.
  const int w = t.width(), h = t.height();
  wxImage image(w, h);
  image.InitAlpha();
  const double rx = w / 2.0, ry = h / 2.0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double nx = (x + 0.5 - rx) / rx, ny = (y + 0.5 - ry) / ry;
      const bool inside = nx * nx + ny * ny <= 1.0;
      const ui::Rgb c = ui::ChequerIsThumbColour(t.left + x, t.top + y, t.right % 8, t.top % 8)
                            ? thumbColour_
                            : ui::kSliderGreen;
      image.SetRGB(x, y, c.r, c.g, c.b);
      image.SetAlpha(x, y, inside ? 255 : 0);
    }
  dc.DrawBitmap(wxBitmap(image), t.left, t.top, true);
  dc.SetPen(wxPen(green, 1));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawEllipse(ui::ToWx(t));
}

void RoundThumbSlider::Render(wxDC& dc) const {
  const ui::SliderShape shape = Shape();
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.Clear();

  // Channel: a sunken groove, then the green frame inset by one pixel.
  const ui::Box channel = ui::ChannelBox(shape);
  dc.SetPen(wxPen(ui::SystemColour(wxSYS_COLOUR_BTNSHADOW)));
  dc.SetBrush(wxBrush(ui::SystemColour(wxSYS_COLOUR_WINDOW)));
  dc.DrawRectangle(ui::ToWx(channel));
  const ui::Box frame = channel.inset(1);
  if (frame.width() > 0 && frame.height() > 0) {
    dc.SetPen(wxPen(ui::ToWx(ui::kSliderGreen)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(ui::ToWx(frame));
  }

  // Ticks at both ends of the travel, on the tick side.
  dc.SetPen(wxPen(ui::SystemColour(wxSYS_COLOUR_BTNTEXT)));
  for (int v : {range_.min, range_.max}) {
    const ui::Box b = ui::ThumbBox(shape, range_, v);
    if (!shape.vertical) {
      const int x = (b.left + b.right) / 2;
      const int y = shape.ticksOtherSide ? b.top - 2 - ui::kTickLength : b.bottom + 2;
      dc.DrawLine(x, y, x, y + ui::kTickLength);
    } else {
      const int y = (b.top + b.bottom) / 2;
      const int x = shape.ticksOtherSide ? b.left - 2 - ui::kTickLength : b.right + 2;
      dc.DrawLine(x, y, x + ui::kTickLength, y);
    }
  }

  DrawThumb(dc, ui::ThumbBox(shape, range_, value_));

  const auto dots = ui::EndDotBoxes(shape);
  dc.SetPen(wxPen(ui::ToWx(thumbColour_), 1));
  dc.SetBrush(wxBrush(ui::ToWx(ui::kMinDotFill)));
  dc.DrawEllipse(ui::ToWx(dots[0]));
  dc.SetBrush(wxBrush(ui::ToWx(ui::kSliderGreen)));
  dc.DrawEllipse(ui::ToWx(dots[1]));
}

void RoundThumbSlider::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Render(dc);
}

int RoundThumbSlider::Along(const wxPoint& p) const {
  return (GetWindowStyleFlag() & wxSL_VERTICAL) ? p.y : p.x;
}

void RoundThumbSlider::SendScroll(wxEventType type) {
  const int orient = (GetWindowStyleFlag() & wxSL_VERTICAL) ? wxVERTICAL : wxHORIZONTAL;
  wxScrollEvent scroll(type, GetId(), value_, orient);
  scroll.SetEventObject(this);
  ProcessWindowEvent(scroll);
  if (type != wxEVT_SCROLL_THUMBRELEASE) {
    wxCommandEvent changed(wxEVT_SLIDER, GetId());
    changed.SetInt(value_);
    changed.SetEventObject(this);
    ProcessWindowEvent(changed);
  }
}

bool RoundThumbSlider::MoveTo(int value, wxEventType scrollType) {
  const int v = ui::ClampToRange(value, range_);
  if (v == value_) return false;
  value_ = v;
  Refresh();
  SendScroll(scrollType);
  return true;
}

void RoundThumbSlider::OnLeftDown(wxMouseEvent& e) {
  SetFocus();
  const ui::SliderShape shape = Shape();
  const ui::Box thumb = ui::ThumbBox(shape, range_, value_);
  const wxPoint p = e.GetPosition();
  if (thumb.contains(p.x, p.y)) {
    dragging_ = true;
    const int centre = shape.vertical ? (thumb.top + thumb.bottom) / 2 : (thumb.left + thumb.right) / 2;
    dragOffset_ = Along(p) - centre;
    if (!HasCapture()) CaptureMouse();
    Refresh();
    return;
  }
  // A click beside the thumb moves one page towards the click.
  const int before = shape.vertical ? thumb.top : thumb.left;
  const int page = std::max(kMinPageSize, pageSize_ > 0 ? pageSize_ : (range_.max - range_.min) / 10);
  if (Along(p) < before) {
    if (MoveTo(value_ - page, wxEVT_SCROLL_PAGEUP)) SendScroll(wxEVT_SCROLL_CHANGED);
  } else {
    if (MoveTo(value_ + page, wxEVT_SCROLL_PAGEDOWN)) SendScroll(wxEVT_SCROLL_CHANGED);
  }
}

void RoundThumbSlider::OnMotion(wxMouseEvent& e) {
  const wxPoint p = e.GetPosition();
  if (dragging_) {
    MoveTo(ui::ValueAtPixel(Shape(), range_, Along(p) - dragOffset_), wxEVT_SCROLL_THUMBTRACK);
    return;
  }
  const bool hot = ui::ThumbBox(Shape(), range_, value_).contains(p.x, p.y);
  if (hot != hot_) {
    hot_ = hot;
    Refresh();
  }
}

void RoundThumbSlider::OnLeftUp(wxMouseEvent& e) {
  if (!dragging_) return;
  dragging_ = false;
  if (HasCapture()) ReleaseMouse();
  const wxPoint p = e.GetPosition();
  hot_ = ui::ThumbBox(Shape(), range_, value_).contains(p.x, p.y);
  Refresh();
  SendScroll(wxEVT_SCROLL_THUMBRELEASE);
  SendScroll(wxEVT_SCROLL_CHANGED);
}

void RoundThumbSlider::OnLeave(wxMouseEvent&) {
  if (hot_ && !dragging_) {
    hot_ = false;
    Refresh();
  }
}

void RoundThumbSlider::OnWheel(wxMouseEvent& e) {
  const int step = e.GetWheelRotation() > 0 ? -lineSize_ : lineSize_;
  if (MoveTo(value_ + step, step < 0 ? wxEVT_SCROLL_LINEUP : wxEVT_SCROLL_LINEDOWN))
    SendScroll(wxEVT_SCROLL_CHANGED);
}

void RoundThumbSlider::OnCaptureLost(wxMouseCaptureLostEvent&) {
  dragging_ = false;
  hot_ = false;
  Refresh();
}

void RoundThumbSlider::OnFocus(wxFocusEvent& e) {
  Refresh();
  e.Skip();
}

void RoundThumbSlider::OnKeyDown(wxKeyEvent& e) {
  const int page = std::max(kMinPageSize, pageSize_ > 0 ? pageSize_ : (range_.max - range_.min) / 10);
  int target = value_;
  wxEventType type = wxEVT_NULL;
  switch (e.GetKeyCode()) {
    case WXK_LEFT: case WXK_UP: target -= lineSize_; type = wxEVT_SCROLL_LINEUP; break;
    case WXK_RIGHT: case WXK_DOWN: target += lineSize_; type = wxEVT_SCROLL_LINEDOWN; break;
    case WXK_PAGEUP: target -= page; type = wxEVT_SCROLL_PAGEUP; break;
    case WXK_PAGEDOWN: target += page; type = wxEVT_SCROLL_PAGEDOWN; break;
    case WXK_HOME: target = range_.min; type = wxEVT_SCROLL_TOP; break;
    case WXK_END: target = range_.max; type = wxEVT_SCROLL_BOTTOM; break;
    default: e.Skip(); return;
  }
  if (MoveTo(target, type)) SendScroll(wxEVT_SCROLL_CHANGED);
}
