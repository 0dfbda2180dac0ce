#pragma once
#include <wx/listctrl.h>

// A report list whose rows show blue text on sand, except the row named by the shared
// highlighted track index, which shows on green. The colours follow the index whenever the
// list is refreshed, gains rows, or the index changes (checked when the program is idle).
class HighlightListCtrl : public wxListCtrl {
 public:
  HighlightListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxLC_REPORT);

  void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;
  // Colours every row for the current highlighted track.
  void ApplyRowColours();

 private:
  void OnIdle(wxIdleEvent& e);
  void OnInsert(wxListEvent& e);

  int appliedHighlight_ = -2;
  int appliedCount_ = -1;

  wxDECLARE_EVENT_TABLE();
};
