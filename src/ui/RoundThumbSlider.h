#pragma once
#include <wx/control.h>
#include <wx/slider.h>

#include "ui/DrawTypes.h"
#include "ui/SliderGeometry.h"

class wxDC;

// A slider drawn by hand: a green channel, a round red thumb that turns into a red and green
// checkerboard while dragged, hot or focused, and two end dots (white at the minimum, green at
// the maximum) on the side away from the ticks. Styles: wxSL_HORIZONTAL / wxSL_VERTICAL,
// wxSL_TOP / wxSL_LEFT for ticks on the other side. Changes made by the user send the scroll
// events of a wxSlider (wxEVT_SCROLL_THUMBTRACK while dragging, wxEVT_SCROLL_LINEUP ... then
// wxEVT_SCROLL_CHANGED) and wxEVT_SLIDER.
class RoundThumbSlider : public wxControl {
 public:
  RoundThumbSlider(wxWindow* parent, wxWindowID id, int value, int minValue, int maxValue,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = wxSL_HORIZONTAL);

  int GetValue() const { return value_; }
  void SetValue(int value);  // no events, like wxSlider
  void SetRange(int minValue, int maxValue);
  int GetMin() const { return range_.min; }
  int GetMax() const { return range_.max; }
  void SetLineSize(int n) { lineSize_ = n; }
  void SetPageSize(int n) { pageSize_ = n; }
  int GetLineSize() const { return lineSize_; }
  int GetPageSize() const { return pageSize_; }

  // The thumb colour; outline, channel and end dots stay green.
  void SetThumbColour(ui::Rgb colour);

  bool AcceptsFocusFromKeyboard() const override { return true; }
  void Render(wxDC& dc) const;
  bool IsDragging() const { return dragging_; }
  bool IsThumbHot() const { return hot_; }
  ui::SliderShape Shape() const;

 protected:
  wxSize DoGetBestSize() const override;

 private:
  void OnPaint(wxPaintEvent&);
  void OnLeftDown(wxMouseEvent&);
  void OnLeftUp(wxMouseEvent&);
  void OnMotion(wxMouseEvent&);
  void OnLeave(wxMouseEvent&);
  void OnWheel(wxMouseEvent&);
  void OnCaptureLost(wxMouseCaptureLostEvent&);
  void OnFocus(wxFocusEvent&);
  void OnKeyDown(wxKeyEvent&);
  int Along(const wxPoint& p) const;
  // Moves to value and reports it with the given scroll event type; false when unchanged.
  bool MoveTo(int value, wxEventType scrollType);
  void SendScroll(wxEventType type);
  void DrawThumb(wxDC& dc, const ui::Box& thumb) const;

  ui::SliderRange range_;
  int value_ = 0;
  int lineSize_ = 1;
  int pageSize_ = 0;  // 0: a tenth of the range
  ui::Rgb thumbColour_ = ui::kThumbColour;
  bool dragging_ = false;
  bool hot_ = false;
  int dragOffset_ = 0;  // pointer minus thumb centre along the track when the drag began

  wxDECLARE_EVENT_TABLE();
};
