#pragma once
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/popupwin.h>

#include "ui/IconMenuLayout.h"

class wxGUIEventLoop;

// An item of the icon menu: its icons (resource ids of 24 x 24 images; the selected one is
// shown while the pointer is on the item) and its text, drawn as it is.
struct IconMenuItem {
  int normalIcon = 0;
  int selectedIcon = 0;
  std::string text;
};

// The right-click menu of the tank: a popup that draws its own items (icon column, text,
// a framed blue-grey highlight on the item under the pointer), 140 x 48 pixels each or
// wider when a text needs it. Track() shows it and blocks
// until an item is chosen, Escape is pressed or the menu is dismissed by a click elsewhere.
class IconMenu : public wxPopupTransientWindow {
 public:
  explicit IconMenu(wxWindow* owner);
  ~IconMenu() override;

  void Append(int commandId, IconMenuItem item);

  // Opens the menu with its top-left corner at screenPoint and returns the chosen command
  // id, or 0 when nothing was chosen.
  int Track(const wxPoint& screenPoint);

  int Selected() const { return selected_; }
  int ItemCount() const { return static_cast<int>(entries_.size()); }
  int ItemWidth() const { return itemWidth_; }

  // Draws one item into dc at rect (also used for tests).
  void DrawItem(wxDC& dc, const wxRect& rect, int index, bool selected);

 protected:
  void OnDismiss() override;
  bool ProcessLeftDown(wxMouseEvent& event) override;

 private:
  struct Entry {
    int commandId;
    IconMenuItem item;
    wxBitmap normal;
    wxBitmap selected;
  };

  void OnPaint(wxPaintEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeave(wxMouseEvent& event);
  void OnButtonDown(wxMouseEvent& event);
  void OnButtonUp(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void Select(int index);
  void Finish(int commandId);
  void OnUnmapped();

  wxWindow* surface_ = nullptr;
  std::vector<Entry> entries_;
  int itemWidth_ = ui::kMenuItemWidth;
  int selected_ = -1;
  int result_ = 0;
  bool pressedInside_ = false;
  wxPoint openedAt_;
  wxGUIEventLoop* loop_ = nullptr;
};
