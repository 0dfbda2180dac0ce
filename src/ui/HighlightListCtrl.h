#pragma once
#include <functional>

#include <wx/listctrl.h>

// A report list whose rows show blue text on sand, except the highlighted row, which shows on
// green; its owner tells which row that is (none until it does). The colours follow the row
// whenever the list is refreshed, gains rows, or the row changes (checked when idle).
class HighlightListCtrl : public wxListCtrl {
 public:
  HighlightListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxLC_REPORT);

  // Where the highlighted row comes from; -1 from it: no row.
  void SetHighlightSource(std::function<int()> source);

  void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;
  // Colours every row for the current highlighted track.
  void ApplyRowColours();

 private:
  void OnIdle(wxIdleEvent& e);
  void OnInsert(wxListEvent& e);
  int Highlighted() const { return source_ ? source_() : -1; }

  std::function<int()> source_;

  int appliedHighlight_ = -2;
  int appliedCount_ = -1;

  wxDECLARE_EVENT_TABLE();
};
