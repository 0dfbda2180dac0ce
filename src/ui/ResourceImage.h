#pragma once
#include <wx/image.h>

#include "platform/Resources.h"

// Decodes one of the program's packed images (icons and cursors are PNG files) into a
// wxImage; an invalid image when the resource is missing or cannot be decoded.
namespace ui {

wxImage LoadResourceImage(res::Type type, int id);

}  // namespace ui
