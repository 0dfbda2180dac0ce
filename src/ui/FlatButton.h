#pragma once
#include <wx/control.h>

#include "ui/PushState.h"

class wxDC;

// A flat push button that draws itself: no frame at rest, a raised edge under the pointer, a
// sunken edge with the caption shifted by (1, 1) while pressed. An ampersand in the caption
// underlines the next letter. A click sends wxEVT_BUTTON with the button's id.
class FlatButton : public wxControl {
 public:
  FlatButton(wxWindow* parent, wxWindowID id, const wxString& label,
             const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
             long style = 0);

  void SetLabel(const wxString& label) override;
  bool AcceptsFocusFromKeyboard() const override { return true; }

  // Draws the button as it looks now into dc (the paint handler draws through a buffer).
  void Render(wxDC& dc) const;

  bool IsHovered() const { return state_.hovered(); }
  bool IsPressed() const { return state_.pressed(); }

 protected:
  wxSize DoGetBestSize() const override;

 private:
  void OnPaint(wxPaintEvent&);
  void OnEnter(wxMouseEvent&);
  void OnLeave(wxMouseEvent&);
  void OnMotion(wxMouseEvent&);
  void OnLeftDown(wxMouseEvent&);
  void OnLeftUp(wxMouseEvent&);
  void OnCaptureLost(wxMouseCaptureLostEvent&);
  void OnKillFocus(wxFocusEvent&);
  void OnKeyUp(wxKeyEvent&);
  void SendClick();
  bool Inside(const wxPoint& p) const;

  ui::PushState state_;
  wxColour normalBack_, normalText_, activeBack_, activeText_;

  wxDECLARE_EVENT_TABLE();
};
