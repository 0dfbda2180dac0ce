#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/DrawTypes.h"

// Layout and colour rules of the lamp check button: where the lamp and the caption go, which
// colour the lamp takes, and how the caption wraps and aligns.
namespace ui {

inline constexpr int kLampDiameter = 15;
inline constexpr int kLampTextGap = 3;
inline constexpr int kLampFrameInset = 2;  // then the focus rectangle, then 1 more
inline constexpr Rgb kLampOnColour{0, 255, 0};
inline constexpr Rgb kLampOffColour{0, 127, 0};

enum class TextAlign { Left, Centre, Right };

// Check states written as 1 or 2 (indeterminate) read back as checked (1); anything else is 0.
int NormaliseCheck(int state);

struct LampLayout {
  Box lamp;  // the lamp box, before any pressed shift
  Box text;  // the room left for the caption
};
// item: the control's box. The caption room is the item inset by 3 (2, the focus rectangle,
// then 1). The lamp sits at the right with the caption on its left when leftText is set,
// otherwise at the left; vertically it starts at (textBottom - d - textTop) / 2 + 2.
LampLayout LayoutLamp(const Box& item, int diameter, bool leftText);

// With both icons present the icon box is re-based to the top of the control, icon-wide and
// icon-high.
Box IconBox(const Box& lamp, int iconWidth);

// Lamp fill: the shadow colour when disabled, whatever the check state.
Rgb LampFill(bool disabled, bool checked, Rgb on, Rgb off, Rgb shadow);

// Caption broken into lines that fit width (at spaces; a word wider than the room stays whole
// on its own line). Explicit line breaks are kept.
using MeasureText = std::function<int(const std::string&)>;
std::vector<std::string> WrapWords(const std::string& text, int width, const MeasureText& measure);

// Offset of a block spare pixels narrower (or shorter) than its room.
int AlignOffset(int spare, TextAlign align);

}  // namespace ui
