#include "ui/SliderGeometry.h"

#include <algorithm>

namespace ui {

namespace {
int alongLength(const SliderShape& s) { return s.vertical ? s.height : s.width; }
int acrossLength(const SliderShape& s) { return s.vertical ? s.width : s.height; }

// Box from coordinates along and across the track.
Box orient(const SliderShape& s, int a0, int c0, int a1, int c1) {
  return s.vertical ? Box{c0, a0, c1, a1} : Box{a0, c0, a1, c1};
}

// The first pixel of the thumb's travel and the number of pixels it can move.
int travelStart() { return kSliderMargin; }
int travelSpan(const SliderShape& s) {
  return std::max(0, alongLength(s) - 2 * kSliderMargin - ThumbDiameter(s));
}
}  // namespace

int ClampToRange(int value, SliderRange r) {
  const int lo = std::min(r.min, r.max), hi = std::max(r.min, r.max);
  return std::clamp(value, lo, hi);
}

int ThumbDiameter(const SliderShape& s) {
  return std::max(3, std::min(kThumbSize, acrossLength(s) - 2));
}

Box ChannelBox(const SliderShape& s) {
  const int mid = acrossLength(s) / 2;
  const int c0 = mid - kChannelThickness / 2;
  return orient(s, kSliderMargin, c0, alongLength(s) - kSliderMargin, c0 + kChannelThickness);
}

Box ThumbBox(const SliderShape& s, SliderRange r, int value) {
  const int d = ThumbDiameter(s);
  const long span = r.max - r.min;
  const int v = ClampToRange(value, r);
  const int offset = span > 0 ? static_cast<int>((static_cast<long>(v - r.min) * travelSpan(s) +
                                                  span / 2) / span)
                              : 0;
  const int a0 = travelStart() + offset;
  const int c0 = acrossLength(s) / 2 - d / 2;
  return orient(s, a0, c0, a0 + d, c0 + d);
}

int ValueAtPixel(const SliderShape& s, SliderRange r, int along) {
  const int span = travelSpan(s);
  if (span <= 0 || r.max <= r.min) return r.min;
  const long rel = std::clamp(along - travelStart() - ThumbDiameter(s) / 2, 0, span);
  const long range = r.max - r.min;
  return r.min + static_cast<int>((rel * range + span / 2) / span);
}

std::array<Box, 2> EndDotBoxes(const SliderShape& s) {
  const int W = s.width, H = s.height, e = kEndDotSpan + 1;
  if (!s.vertical && !s.ticksOtherSide) return {Box{1, 1, e, e}, Box{W - e, 1, W - 1, e}};
  if (!s.vertical) return {Box{1, H - e, e, H - 1}, Box{W - e, H - e, W - 1, H - 1}};
  if (!s.ticksOtherSide) return {Box{1, 1, e, e}, Box{1, H - e, e, H - 1}};
  return {Box{W - e, 1, W - 1, e}, Box{W - e, H - e, W - 1, H - 1}};
}

bool ThumbIsChequered(bool pressed, bool hot, bool focused) { return pressed || hot || focused; }

bool ChequerIsThumbColour(int x, int y, int originX, int originY) {
  // Rows alternate the bit patterns 0x55 and 0xAA; a clear bit takes the thumb colour.
  const int row = ((y - originY) % 8 + 8) % 8;
  const int col = ((x - originX) % 8 + 8) % 8;
  const unsigned bits = (row % 2 == 0) ? 0x55u : 0xAAu;
  return ((bits >> (7 - col)) & 1u) == 0;
}

}  // namespace ui
