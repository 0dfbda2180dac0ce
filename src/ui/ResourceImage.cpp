#include "ui/ResourceImage.h"

#include <wx/log.h>
#include <wx/mstream.h>

namespace ui {

wxImage LoadResourceImage(res::Type type, int id) {
  const auto found = res::FindResource(type, id);
  if (!found || found->size == 0) return {};
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxLogNull quiet;  // a broken image is reported by its absence, not by a log dialog
  wxMemoryInputStream stream(found->data, found->size);
  wxImage image;
  if (!image.LoadFile(stream, wxBITMAP_TYPE_PNG)) return {};
  return image;
}

}  // namespace ui
