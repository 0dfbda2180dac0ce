#include "ui/ResourceBitmap.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

namespace ui {

wxBitmap ResourceBitmap(res::Type type, int id) {
  const auto found = res::FindResource(type, id);
  if (!found || found->size == 0) return wxBitmap();
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxLogNull quiet;  // a broken image is answered by the caller's fallback
  wxMemoryInputStream in(found->data, found->size);
  wxImage image;
  if (!image.LoadFile(in, wxBITMAP_TYPE_PNG)) return wxBitmap();
  return wxBitmap(image);
}

}  // namespace ui
