#pragma once
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/settings.h>

#include "ui/DrawTypes.h"

// Conversions between the plain drawing values and wxWidgets ones.
namespace ui {

inline wxColour ToWx(Rgb c) { return wxColour(c.r, c.g, c.b); }
inline Rgb FromWx(const wxColour& c) { return {c.Red(), c.Green(), c.Blue()}; }
inline wxRect ToWx(const Box& b) { return wxRect(b.left, b.top, b.width(), b.height()); }
inline Box FromWx(const wxRect& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }
inline wxColour SystemColour(wxSystemColour which) { return wxSystemSettings::GetColour(which); }

}  // namespace ui
