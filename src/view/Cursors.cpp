#include "view/Cursors.h"

#include <cmath>

#include "platform/Resources.h"
#include "ui/ResourceImage.h"

namespace view {

Cursors::Cursors(double scale) : scale_(scale > 0.0 ? scale : 1.0) { Load(); }

void Cursors::SetScale(double scale) {
  if (scale <= 0.0 || std::abs(scale - scale_) < 0.01) return;
  scale_ = scale;
  Load();
}

void Cursors::Load() {
  for (std::size_t i = 0; i < kIds.size(); ++i) {
    cursors_[i] = wxCursor();
    wxImage image = ui::LoadResourceImage(res::Type::Cursor, kIds[i]);
    if (!image.IsOk()) continue;
    const auto found = res::FindResource(res::Type::Cursor, kIds[i]);
    int hotX = found->hotX;
    int hotY = found->hotY;
    if (scale_ != 1.0) {
      const int w = static_cast<int>(std::lround(image.GetWidth() * scale_));
      const int h = static_cast<int>(std::lround(image.GetHeight() * scale_));
      image.Rescale(w, h, wxIMAGE_QUALITY_BICUBIC);
      hotX = static_cast<int>(std::lround(hotX * scale_));
      hotY = static_cast<int>(std::lround(hotY * scale_));
    }
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, hotX);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, hotY);
    cursors_[i] = wxCursor(image);
  }
}

const wxCursor* Cursors::Get(int id) const {
  for (std::size_t i = 0; i < kIds.size(); ++i)
    if (kIds[i] == id) return cursors_[i].IsOk() ? &cursors_[i] : nullptr;
  return nullptr;
}

}  // namespace view
