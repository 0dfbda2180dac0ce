#include "view/Cursors.h"

#include "platform/Resources.h"
#include "ui/ResourceImage.h"

namespace view {

Cursors::Cursors() {
  for (std::size_t i = 0; i < kIds.size(); ++i) {
    wxImage image = ui::LoadResourceImage(res::Type::Cursor, kIds[i]);
    if (!image.IsOk()) continue;
    const auto found = res::FindResource(res::Type::Cursor, kIds[i]);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, found->hotX);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, found->hotY);
    cursors_[i] = wxCursor(image);
  }
}

const wxCursor* Cursors::Get(int id) const {
  for (std::size_t i = 0; i < kIds.size(); ++i)
    if (kIds[i] == id) return cursors_[i].IsOk() ? &cursors_[i] : nullptr;
  return nullptr;
}

}  // namespace view
