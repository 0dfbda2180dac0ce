#include "ui/PushControl.h"

wxBEGIN_EVENT_TABLE(PushControl, wxControl)
  EVT_ENTER_WINDOW(PushControl::OnEnter)
  EVT_LEAVE_WINDOW(PushControl::OnLeave)
  EVT_MOTION(PushControl::OnMotion)
  EVT_LEFT_DOWN(PushControl::OnLeftDown)
  EVT_LEFT_DCLICK(PushControl::OnLeftDown)
  EVT_LEFT_UP(PushControl::OnLeftUp)
  EVT_MOUSE_CAPTURE_LOST(PushControl::OnCaptureLost)
wxEND_EVENT_TABLE()

bool PushControl::Inside(const wxPoint& p) const {
  const wxSize s = GetClientSize();
  return p.x >= 0 && p.y >= 0 && p.x < s.x && p.y < s.y;
}

void PushControl::OnEnter(wxMouseEvent& e) {
  state_.pointerEnter(e.LeftIsDown());
  Refresh();
  e.Skip();
}

void PushControl::OnLeave(wxMouseEvent& e) {
  // While pressed the control keeps the pointer; only its moves decide how it looks.
  if (!state_.pressing()) {
    state_.pointerLeave();
    Refresh();
  }
  e.Skip();
}

void PushControl::OnMotion(wxMouseEvent& e) {
  if (state_.pressing()) {
    const bool was = state_.pressed();
    state_.pointerMove(Inside(e.GetPosition()));
    if (was != state_.pressed()) Refresh();
  } else if (!state_.hovered() && !e.LeftIsDown() && Inside(e.GetPosition())) {
    // The enter event can go missing (a window closed over the control, say).
    state_.pointerEnter(false);
    Refresh();
  }
  e.Skip();
}

void PushControl::OnLeftDown(wxMouseEvent& e) {
  if (!IsEnabled()) return;
  if (!HasCapture()) CaptureMouse();
  state_.leftDown();
  Refresh();
  e.Skip();
}

void PushControl::OnLeftUp(wxMouseEvent& e) {
  const bool wasPressing = state_.pressing();
  if (HasCapture()) ReleaseMouse();
  const bool pushed = state_.leftUp(Inside(e.GetPosition()));
  if (wasPressing) Refresh();
  if (pushed) OnPushed();
  e.Skip();
}

void PushControl::OnCaptureLost(wxMouseCaptureLostEvent&) {
  state_.reset();
  Refresh();
}
