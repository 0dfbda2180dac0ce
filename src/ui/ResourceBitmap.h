#pragma once
#include <wx/bitmap.h>

#include "platform/Resources.h"

namespace ui {

// The PNG image of a packed icon or bitmap resource; an invalid bitmap when the resource is
// missing or does not decode.
wxBitmap ResourceBitmap(res::Type type, int id);

}  // namespace ui
