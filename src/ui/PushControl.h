#pragma once
#include <wx/control.h>

#include "ui/PushState.h"

// A self-drawn control that is pushed with the left button: it follows the pointer (hover,
// press, drag off and back on), holds the mouse while pressed, and calls OnPushed() when a
// press ends over the control. A double click counts as one more press. Derived controls
// draw themselves from state_ and decide what a push does.
class PushControl : public wxControl {
 public:
  bool IsHovered() const { return state_.hovered(); }
  bool IsPressed() const { return state_.pressed(); }

 protected:
  PushControl() = default;

  // A press has ended over the control.
  virtual void OnPushed() = 0;

  ui::PushState state_;

 private:
  void OnEnter(wxMouseEvent&);
  void OnLeave(wxMouseEvent&);
  void OnMotion(wxMouseEvent&);
  void OnLeftDown(wxMouseEvent&);
  void OnLeftUp(wxMouseEvent&);
  void OnCaptureLost(wxMouseCaptureLostEvent&);
  bool Inside(const wxPoint& p) const;

  wxDECLARE_EVENT_TABLE();
};
