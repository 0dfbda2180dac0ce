#include "ui/IconMenu.h"

#include <algorithm>
#include <cstdlib>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/settings.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif
#endif

#include "ui/IconMenuLayout.h"
#include "ui/ResourceImage.h"

namespace {

const wxColour kSelectedFill(177, 185, 207);
const wxColour kIconColumnFill(219, 216, 209);
const wxColour kItemFill(249, 248, 247);
const wxColour kTextColour(0, 0, 0);
// A release this close to where the menu opened belongs to the click that opened it.
constexpr int kOpeningSlop = 2;

wxBitmap LoadIcon(int id) {
  wxImage image = ui::LoadResourceImage(res::Type::Icon, id);
  if (!image.IsOk()) return {};
  if (image.GetWidth() != ui::kIconSize || image.GetHeight() != ui::kIconSize)
    image.Rescale(ui::kIconSize, ui::kIconSize, wxIMAGE_QUALITY_HIGH);
  return wxBitmap(image);
}

wxRect ToWx(const ui::MenuRect& r) { return {r.x, r.y, r.width, r.height}; }

wxFont MenuFont() { return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT); }

#if defined(__WXGTK__) && defined(GDK_WINDOWING_WAYLAND)
// On Wayland a popup is placed against its parent window by the rectangle it hangs from.
// The toolkit's own placement (a moved window) needs a parent with a window role: the
// tank's window on the background layer has none, so a menu placed that way became a
// window of its own, which the compositor put in the middle of the output. Anchored to a
// rectangle, the layer's popup is made on the layer surface, at place.
void AnchorToParent(GtkWidget* popup, const ui::MenuRect& place) {
  if (!GDK_IS_WAYLAND_DISPLAY(gtk_widget_get_display(popup))) return;
  GtkWindow* parent = gtk_window_get_transient_for(GTK_WINDOW(popup));
  if (!parent) return;
  gtk_widget_realize(popup);
  GdkWindow* window = gtk_widget_get_window(popup);
  GdkWindow* parentWindow = gtk_widget_get_window(GTK_WIDGET(parent));
  if (!window || !parentWindow) return;
  // place is in the toolkit's screen coordinates, the rectangle in the parent's.
  int originX = 0, originY = 0;
  gdk_window_get_origin(parentWindow, &originX, &originY);
  const GdkRectangle anchor{place.x - originX, place.y - originY, 1, 1};
  gdk_window_move_to_rect(window, &anchor, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST,
                          GDK_ANCHOR_SLIDE, 0, 0);
}

// Shows the popup under a grab of the seat taken before the popup is mapped, so that the
// popup the compositor is told of holds the grab: the compositor then gives the menu the
// keyboard, and closes it when a click lands on another program's window. (The grab the
// toolkit takes once a popup is shown stays inside the program: such a click went to the
// other window and left the menu open, with the keyboard gone to that window.)
// Refused, the grab leaves the popup shown all the same, under the toolkit's grab alone.
void ShowGrabbed(GtkWidget* popup) {
  if (!GDK_IS_WAYLAND_DISPLAY(gtk_widget_get_display(popup))) return;
  GdkWindow* window = gtk_widget_get_window(popup);
  GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(popup));
  if (!window || !seat) return;
  const auto show = [](GdkSeat*, GdkWindow*, gpointer widget) {
    gtk_widget_show(GTK_WIDGET(widget));
  };
  gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL, FALSE, nullptr, nullptr, show, popup);
}
#endif

}  // namespace

IconMenu::IconMenu(wxWindow* owner) : wxPopupTransientWindow(owner, wxBORDER_NONE) {
  // The items live on a child that can hold the keyboard focus (the popup itself cannot),
  // so the arrow keys, Enter and Escape reach the menu while it is open.
  surface_ = new wxWindow(this, wxID_ANY, wxPoint(0, 0), wxDefaultSize,
                          wxBORDER_NONE | wxWANTS_CHARS);
  surface_->SetBackgroundStyle(wxBG_STYLE_PAINT);
  surface_->Bind(wxEVT_PAINT, &IconMenu::OnPaint, this);
  surface_->Bind(wxEVT_MOTION, &IconMenu::OnMotion, this);
  surface_->Bind(wxEVT_LEAVE_WINDOW, &IconMenu::OnLeave, this);
  surface_->Bind(wxEVT_LEFT_DOWN, &IconMenu::OnButtonDown, this);
  surface_->Bind(wxEVT_RIGHT_DOWN, &IconMenu::OnButtonDown, this);
  surface_->Bind(wxEVT_LEFT_UP, &IconMenu::OnButtonUp, this);
  surface_->Bind(wxEVT_RIGHT_UP, &IconMenu::OnButtonUp, this);
  surface_->Bind(wxEVT_KEY_DOWN, &IconMenu::OnKeyDown, this);
  Bind(wxEVT_CHAR_HOOK, &IconMenu::OnKeyDown, this);
#ifdef __WXGTK__
  // Marked as a menu, the popup is a real popup on Wayland. Unmarked, the toolkit makes it
  // a part of the tank's window, which the compositor then gives the keyboard when an item
  // is clicked; once the menu is gone the keyboard went nowhere until the next click.
  gtk_window_set_type_hint(GTK_WINDOW(GetHandle()), GDK_WINDOW_TYPE_HINT_POPUP_MENU);
  // The compositor may take the popup down itself (a click on another program's window):
  // that closes the menu with nothing chosen.
  g_signal_connect(GetHandle(), "unmap", G_CALLBACK(+[](GtkWidget*, gpointer menu) {
                     static_cast<IconMenu*>(menu)->OnUnmapped();
                   }),
                   this);
#endif
}

IconMenu::~IconMenu() {
#ifdef __WXGTK__
  if (GetHandle()) g_signal_handlers_disconnect_by_data(GetHandle(), this);
#endif
}

void IconMenu::OnUnmapped() {
  // Only while the menu is open and nothing is chosen yet: Track() hides it after a choice.
  if (loop_ && loop_->IsRunning() && result_ == 0) Finish(0);
}

void IconMenu::Append(int commandId, IconMenuItem item) {
  Entry e{commandId, std::move(item), {}, {}};
  e.normal = LoadIcon(e.item.normalIcon);
  e.selected = e.item.selectedIcon == e.item.normalIcon ? e.normal : LoadIcon(e.item.selectedIcon);
  entries_.push_back(std::move(e));
  int widest = 0;
  {
    wxClientDC dc(surface_);
    dc.SetFont(MenuFont());
    for (const Entry& entry : entries_)
      widest = std::max(widest, dc.GetTextExtent(wxString::FromUTF8(entry.item.text.c_str())).x);
  }
  itemWidth_ = ui::ItemWidthFor(widest);
  SetClientSize(itemWidth_, ui::kMenuItemHeight * ItemCount());
  surface_->SetSize(0, 0, itemWidth_, ui::kMenuItemHeight * ItemCount());
}

int IconMenu::Track(const wxPoint& screenPoint) {
  if (entries_.empty()) return 0;
  result_ = 0;
  selected_ = -1;
  pressedInside_ = false;
  openedAt_ = screenPoint;

  const wxSize size(itemWidth_, ui::kMenuItemHeight * ItemCount());
  const wxRect screen = wxGetClientDisplayRect();
  const ui::MenuRect place = ui::PlaceMenu(screenPoint.x, screenPoint.y, size.x, size.y,
                                           {screen.x, screen.y, screen.width, screen.height});
  SetSize(place.x, place.y, size.x, size.y);
#if defined(__WXGTK__) && defined(GDK_WINDOWING_WAYLAND)
  AnchorToParent(GetHandle(), place);
#endif

  // Keys typed while the menu is open reach the window that had the focus; its top-level
  // window's key hook passes them here first, so Escape closes the menu and nothing else.
  wxWindow* ownerTop = GetParent() ? wxGetTopLevelParent(GetParent()) : nullptr;
  if (ownerTop) ownerTop->Bind(wxEVT_CHAR_HOOK, &IconMenu::OnKeyDown, this);

  wxGUIEventLoop loop;
  loop_ = &loop;
#if defined(__WXGTK__) && defined(GDK_WINDOWING_WAYLAND)
  ShowGrabbed(GetHandle());
#endif
  Popup(surface_);
  surface_->SetFocus();
  {
    wxEventLoopActivator activate(&loop);
    loop.Run();
  }
  loop_ = nullptr;

  if (ownerTop) ownerTop->Unbind(wxEVT_CHAR_HOOK, &IconMenu::OnKeyDown, this);
  if (IsShown()) Dismiss();
  return result_;
}

void IconMenu::Finish(int commandId) {
  result_ = commandId;
  if (loop_ && loop_->IsRunning()) loop_->Exit(0);
}

void IconMenu::OnDismiss() {
  // Dismissed by a click outside or by losing the focus: nothing chosen.
  Finish(0);
}

bool IconMenu::ProcessLeftDown(wxMouseEvent& event) {
  // Presses inside the menu are ours; outside it the popup closes as usual.
  return ui::ItemAt(event.GetX(), event.GetY(), ItemCount(), itemWidth_) >= 0;
}

void IconMenu::DrawItem(wxDC& dc, const wxRect& r, int index, bool selected) {
  if (index < 0 || index >= ItemCount()) return;
  const Entry& e = entries_[index];
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

  wxRect icon(r.x, r.y, ui::kIconColumnWidth, r.height);
  if (selected) {
    // The one-pixel black frame is the rectangle filled black, then filled again inset by
    // one: exact pixels whatever the DC does with pen joins.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.DrawRectangle(r);
    dc.SetBrush(wxBrush(kSelectedFill));
    dc.DrawRectangle(wxRect(r).Deflate(1));
  } else {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kIconColumnFill));
    dc.DrawRectangle(icon);
    dc.SetBrush(wxBrush(kItemFill));
    dc.DrawRectangle(r.x + ui::kIconColumnWidth, r.y, r.width - ui::kIconColumnWidth, r.height);
  }

  wxRect iconRect = icon.Deflate(ui::kIconInset);
  if (selected) iconRect.Offset(ui::kSelectedIconShift, ui::kSelectedIconShift);
  const wxBitmap& bmp = selected ? e.selected : e.normal;
  if (bmp.IsOk()) dc.DrawBitmap(bmp, iconRect.GetTopLeft(), true);

  wxRect text(r.x + ui::kIconColumnWidth + ui::kTextIndent, r.y,
              r.width - ui::kIconColumnWidth - ui::kTextIndent, r.height);
  dc.SetFont(MenuFont());
  dc.SetTextForeground(kTextColour);
  dc.DestroyClippingRegion();
  dc.SetClippingRegion(text);
  dc.DrawLabel(wxString::FromUTF8(e.item.text.c_str()), text,
               wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
  dc.DestroyClippingRegion();
}

void IconMenu::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(surface_);
  for (int i = 0; i < ItemCount(); ++i)
    DrawItem(dc, ToWx(ui::ItemRect(i, itemWidth_)), i, i == selected_);
}

void IconMenu::Select(int index) {
  if (index == selected_) return;
  const int old = selected_;
  selected_ = index;
  if (old >= 0) surface_->RefreshRect(ToWx(ui::ItemRect(old, itemWidth_)), false);
  if (index >= 0) surface_->RefreshRect(ToWx(ui::ItemRect(index, itemWidth_)), false);
}

void IconMenu::OnMotion(wxMouseEvent& event) {
  Select(ui::ItemAt(event.GetX(), event.GetY(), ItemCount(), itemWidth_));
}

void IconMenu::OnLeave(wxMouseEvent&) { Select(-1); }

void IconMenu::OnButtonDown(wxMouseEvent& event) {
  if (ui::ItemAt(event.GetX(), event.GetY(), ItemCount(), itemWidth_) >= 0) {
    pressedInside_ = true;
    return;
  }
  // A press outside the menu closes it (the pointer grab brings it here).
  Dismiss();
  Finish(0);
}

void IconMenu::OnButtonUp(wxMouseEvent& event) {
  const int index = ui::ItemAt(event.GetX(), event.GetY(), ItemCount(), itemWidth_);
  if (index < 0) return;
  // Releasing the button that opened the menu without moving away chooses nothing.
  const wxPoint screen = surface_->ClientToScreen(event.GetPosition());
  const bool moved = std::abs(screen.x - openedAt_.x) > kOpeningSlop ||
                     std::abs(screen.y - openedAt_.y) > kOpeningSlop;
  if (!pressedInside_ && !moved) return;
  Finish(entries_[index].commandId);
}

void IconMenu::OnKeyDown(wxKeyEvent& event) {
  switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
      Finish(0);
      break;
    case WXK_UP:
    case WXK_NUMPAD_UP:
      Select(ui::StepSelection(selected_, -1, ItemCount()));
      break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
      Select(ui::StepSelection(selected_, +1, ItemCount()));
      break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    case WXK_SPACE:
      if (selected_ >= 0) Finish(entries_[selected_].commandId);
      break;
    default:
      break;  // every other key is swallowed while the menu is open
  }
}
