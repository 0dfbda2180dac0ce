#pragma once
#include <array>

#include "ui/DrawTypes.h"

// Geometry of the round-thumb slider: where the channel, the thumb and the two end dots go
// for a control of a given size, and which value a pointer position stands for. The minimum
// is at the left (horizontal) or the top (vertical) end.
namespace ui {

inline constexpr int kSliderMargin = 8;       // the channel's ends stay this far from the edges
inline constexpr int kChannelThickness = 4;
inline constexpr int kThumbSize = 15;         // the round thumb's diameter, when there is room
inline constexpr int kEndDotSpan = 7;
inline constexpr int kTickLength = 3;
inline constexpr Rgb kThumbColour{255, 0, 0};
inline constexpr Rgb kSliderGreen{0, 255, 0};
inline constexpr Rgb kMinDotFill{255, 255, 255};

struct SliderShape {
  int width = 0, height = 0;
  bool vertical = false;
  bool ticksOtherSide = false;  // ticks above (horizontal) or at the left (vertical)
};

struct SliderRange {
  int min = 0, max = 100;
};

int ClampToRange(int value, SliderRange range);
int ThumbDiameter(const SliderShape& s);
Box ChannelBox(const SliderShape& s);
Box ThumbBox(const SliderShape& s, SliderRange range, int value);
// The value whose thumb centre lies nearest the pointer coordinate along the track.
int ValueAtPixel(const SliderShape& s, SliderRange range, int along);
// First the white dot at the minimum end, then the green one at the maximum end; both on the
// side away from the ticks.
std::array<Box, 2> EndDotBoxes(const SliderShape& s);

// The thumb shows a red and green checkerboard while it is dragged, hot or focused.
bool ThumbIsChequered(bool pressed, bool hot, bool focused);
// Colour of pixel (x, y) of the chequered thumb: true for the thumb colour, false for green.
// The pattern repeats every two pixels, anchored at (originX, originY).
bool ChequerIsThumbColour(int x, int y, int originX, int originY);

}  // namespace ui
