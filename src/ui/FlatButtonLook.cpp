#include "ui/FlatButtonLook.h"

namespace ui {

EdgeStyle FlatButtonEdge(bool hovered, bool pressed) {
  if (pressed) return EdgeStyle::Sunken;
  if (hovered) return EdgeStyle::Raised;
  return EdgeStyle::None;
}

std::array<EdgePolyline, 2> EdgePolylines(const Box& r, EdgeStyle style) {
  const bool sunken = style == EdgeStyle::Sunken;
  return {EdgePolyline{{r.left, r.bottom - 1, r.left, r.top, r.right, r.top}, sunken},
          EdgePolyline{{r.left, r.bottom - 1, r.right - 1, r.bottom - 1, r.right - 1, r.top - 1},
                       !sunken}};
}

Point CaptionOrigin(const Box& item, int textWidth, int textHeight, bool pressed) {
  const int shift = pressed ? 1 : 0;
  return {item.left + (item.width() - textWidth) / 2 + shift,
          item.top + (item.height() - textHeight) / 2 + shift};
}

}  // namespace ui
