#pragma once
#include <wx/bitmap.h>

#include "ui/DrawTypes.h"
#include "ui/PushControl.h"

class wxDC;

// Style bits of the lamp check button (class-specific bits of the window style).
enum LedCheckStyle : long {
  kLedTextLeft = 0x0020,  // caption at the left, lamp at the right
  kLedTextCentre = 0x0100,
  kLedTextRight = 0x0200,
};

// An on/off option shown as a lamp (or a pair of icons) beside its caption. A click toggles
// the state and then posts wxEVT_BUTTON with the control's id, so the parent's handler runs
// afterwards and reads the new state.
class LedCheckButton : public PushControl {
 public:
  LedCheckButton(wxWindow* parent, wxWindowID id, const wxString& label,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                 long style = 0);

  // 1 or 2 (indeterminate) show as checked and read back as 1; anything else is unchecked.
  void SetCheck(int state, bool redraw = true);
  int GetCheck() const { return checked_; }

  // Icons from the program's resources (PNG). Both previous icons are dropped first; when
  // either new one cannot be read the button keeps no icons and draws its lamp. With both,
  // the lamp box takes the on icon's width.
  void SetIcons(int onIconId, int offIconId);
  bool HasIcons() const { return onIcon_.IsOk() && offIcon_.IsOk(); }
  bool SetLampColours(ui::Rgb on, ui::Rgb off);
  int LampDiameter() const { return diameter_; }

  void SetLabel(const wxString& label) override;
  bool Enable(bool enable = true) override;
  bool AcceptsFocusFromKeyboard() const override { return true; }

  void Render(wxDC& dc) const;

 protected:
  wxSize DoGetBestSize() const override;

 private:
  void OnPushed() override { Toggle(); }
  void OnPaint(wxPaintEvent&);
  void OnFocus(wxFocusEvent&);
  void OnKeyUp(wxKeyEvent&);
  void Toggle();

  int checked_ = 0;
  int diameter_;
  ui::Rgb onColour_, offColour_;
  wxBitmap onIcon_, offIcon_;

  wxDECLARE_EVENT_TABLE();
};
