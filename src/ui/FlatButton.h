#pragma once
#include "ui/PushControl.h"

class wxDC;

// A flat push button that draws itself: no frame at rest, a raised edge under the pointer, a
// sunken edge with the caption shifted by (1, 1) while pressed. An ampersand in the caption
// underlines the next letter. A click sends wxEVT_BUTTON with the button's id.
class FlatButton : public PushControl {
 public:
  FlatButton(wxWindow* parent, wxWindowID id, const wxString& label,
             const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
             long style = 0);

  void SetLabel(const wxString& label) override;
  bool AcceptsFocusFromKeyboard() const override { return true; }

  // Draws the button as it looks now into dc (the paint handler draws through a buffer).
  void Render(wxDC& dc) const;

 protected:
  wxSize DoGetBestSize() const override;

 private:
  void OnPushed() override { SendClick(); }
  void OnPaint(wxPaintEvent&);
  void OnKillFocus(wxFocusEvent&);
  void OnKeyUp(wxKeyEvent&);
  void SendClick();

  wxColour normalBack_, normalText_, activeBack_, activeText_;

  wxDECLARE_EVENT_TABLE();
};
