#include "ui/HighlightListCtrl.h"

#include <utility>

#include "ui/ListRowColours.h"
#include "ui/WxDraw.h"

wxBEGIN_EVENT_TABLE(HighlightListCtrl, wxListCtrl)
  EVT_IDLE(HighlightListCtrl::OnIdle)
  EVT_LIST_INSERT_ITEM(wxID_ANY, HighlightListCtrl::OnInsert)
wxEND_EVENT_TABLE()

HighlightListCtrl::HighlightListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                     const wxSize& size, long style)
    : wxListCtrl(parent, id, pos, size, style | wxLC_REPORT) {}

void HighlightListCtrl::SetHighlightSource(std::function<int()> source) {
  source_ = std::move(source);
  ApplyRowColours();
}

void HighlightListCtrl::ApplyRowColours() {
  const int count = GetItemCount();
  const int highlighted = Highlighted();
  for (int row = 0; row < count; ++row) {
    const ui::RowColours c = ui::ListRowColours(row, highlighted);
    SetItemTextColour(row, ui::ToWx(c.text));
    SetItemBackgroundColour(row, ui::ToWx(c.background));
  }
  appliedHighlight_ = highlighted;
  appliedCount_ = count;
}

void HighlightListCtrl::Refresh(bool eraseBackground, const wxRect* rect) {
  ApplyRowColours();
  wxListCtrl::Refresh(eraseBackground, rect);
}

void HighlightListCtrl::OnIdle(wxIdleEvent& e) {
  if (appliedHighlight_ != Highlighted() || appliedCount_ != GetItemCount())
    ApplyRowColours();
  e.Skip();
}

void HighlightListCtrl::OnInsert(wxListEvent& e) {
  // The new row is in place once this notification has been handled.
  CallAfter([this] { ApplyRowColours(); });
  e.Skip();
}
