#pragma once
#include <array>

#include "ui/DrawTypes.h"

// What a flat button draws for its state: flat at rest, a raised 1-pixel edge under the
// pointer, a sunken edge with the caption moved one pixel right and down while pressed.
namespace ui {

enum class EdgeStyle { None, Raised, Sunken };

EdgeStyle FlatButtonEdge(bool hovered, bool pressed);

// The two polylines of an edge inside the item box (right and bottom exclusive). The
// top-left line runs (left, bottom-1) -> (left, top) -> (right, top); the bottom-right line
// (left, bottom-1) -> (right-1, bottom-1) -> (right-1, top-1). Each line leaves out its last
// point, as pen lines do. Sunken edges draw the top-left line in the shadow colour and the
// other in the highlight colour; raised edges swap them.
struct EdgePolyline {
  std::array<int, 6> points;  // x0, y0, x1, y1, x2, y2
  bool shadowColour;
};
std::array<EdgePolyline, 2> EdgePolylines(const Box& item, EdgeStyle style);

// Top-left corner of a caption of the given extent, centred in the item (integer halves of
// the spare room) and moved by (1, 1) when pressed.
struct Point {
  int x = 0, y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};
Point CaptionOrigin(const Box& item, int textWidth, int textHeight, bool pressed);

}  // namespace ui
