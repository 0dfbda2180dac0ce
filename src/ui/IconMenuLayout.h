#pragma once

// Geometry of the icon menu: a column of equal items, 140 x 48 pixels each, with an icon
// column at the left of every item. Plain arithmetic so it is testable without a window.
namespace ui {

inline constexpr int kMenuItemWidth = 140;
inline constexpr int kMenuItemHeight = 48;
inline constexpr int kIconColumnWidth = 25;
inline constexpr int kIconInset = 3;
inline constexpr int kIconSize = 24;
inline constexpr int kTextIndent = 8;
inline constexpr int kSelectedIconShift = -1;
inline constexpr int kTextRightMargin = 8;

// The width of every item: 140 pixels, or more when the widest text (in the menu's font)
// would otherwise be cut off at the right edge.
inline int ItemWidthFor(int widestText) {
  const int needed = kIconColumnWidth + kTextIndent + widestText + kTextRightMargin;
  return needed > kMenuItemWidth ? needed : kMenuItemWidth;
}

struct MenuRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// The rectangle of item `index` inside the menu window.
inline MenuRect ItemRect(int index, int itemWidth = kMenuItemWidth) {
  return {0, index * kMenuItemHeight, itemWidth, kMenuItemHeight};
}

// The item under a point of the menu window, or -1 outside every item.
inline int ItemAt(int x, int y, int itemCount, int itemWidth = kMenuItemWidth) {
  if (x < 0 || x >= itemWidth || y < 0) return -1;
  const int index = y / kMenuItemHeight;
  return index < itemCount ? index : -1;
}

// Keyboard movement: step +1 (down) or -1 (up) from `current` (-1: nothing selected yet),
// wrapping around the ends like a system menu.
inline int StepSelection(int current, int step, int itemCount) {
  if (itemCount <= 0) return -1;
  if (current < 0) return step > 0 ? 0 : itemCount - 1;
  return ((current + step) % itemCount + itemCount) % itemCount;
}

// Where the menu opens for a click at (clickX, clickY): its top-left corner at the click,
// flipped to the left or upwards of the click where it would leave the screen, and kept
// inside the screen when it is larger than the room on either side.
inline MenuRect PlaceMenu(int clickX, int clickY, int width, int height, const MenuRect& screen) {
  int x = clickX;
  int y = clickY;
  const int right = screen.x + screen.width;
  const int bottom = screen.y + screen.height;
  if (x + width > right) x = clickX - width;
  if (y + height > bottom) y = clickY - height;
  if (x < screen.x) x = screen.x;
  if (y < screen.y) y = screen.y;
  return {x, y, width, height};
}

}  // namespace ui
