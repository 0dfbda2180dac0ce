#pragma once
#include <cstdint>

// Plain drawing values shared by the controls' layout rules: a colour and a rectangle whose
// right and bottom edges are exclusive (a 10 x 5 box at the origin is {0, 0, 10, 5}).
namespace ui {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr Box inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
  constexpr Box moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr bool contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  friend constexpr bool operator==(const Box&, const Box&) = default;
};

}  // namespace ui
