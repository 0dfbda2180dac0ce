#pragma once
#include "ui/DrawTypes.h"

// Text colour of a web link: the hover colour while the pointer is over it, else the visited
// or the unvisited link colour.
namespace ui {

inline constexpr Rgb kLinkColour{0, 0, 238};
inline constexpr Rgb kVisitedLinkColour{85, 26, 139};

constexpr Rgb LinkTextColour(bool over, bool visited, Rgb hover) {
  if (over) return hover;
  return visited ? kVisitedLinkColour : kLinkColour;
}

}  // namespace ui
