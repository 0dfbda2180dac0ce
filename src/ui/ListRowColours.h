#pragma once
#include "ui/DrawTypes.h"

// Colours of a row of the highlight list: blue text on sand, the highlighted row on green.
namespace ui {

inline constexpr Rgb kListTextColour{0, 0, 255};
inline constexpr Rgb kListRowBackground{196, 184, 130};
inline constexpr Rgb kListHighlightBackground{0, 255, 0};

struct RowColours {
  Rgb text, background;
};

constexpr RowColours ListRowColours(int row, int highlightedRow) {
  return {kListTextColour, row == highlightedRow ? kListHighlightBackground : kListRowBackground};
}

}  // namespace ui
