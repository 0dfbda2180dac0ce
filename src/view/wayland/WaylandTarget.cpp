#include "view/wayland/WaylandTarget.h"

#include <wx/window.h>

namespace view {
namespace {

// As on X11: a 32-bit depth buffer, else a 24-bit one.
constexpr int kDepthBitsWanted = 32;
constexpr int kDepthBitsFallback = 24;

}  // namespace

WaylandTarget::WaylandTarget(wxWindow* window)
    : window_(window), surface_(static_cast<GtkWidget*>(window->GetHandle())) {
  // The child surface covers the window: the toolkit has nothing to paint under it.
  window_->SetBackgroundStyle(wxBG_STYLE_PAINT);
}

bool WaylandTarget::CreateContext() {
  if (!surface_.Create(kDepthBitsWanted) && !surface_.Create(kDepthBitsFallback)) return false;
  return surface_.MakeCurrent();
}

double WaylandTarget::PixelScale() const {
  const double scale = window_->GetContentScaleFactor();
  return scale > 0.0 ? scale : 1.0;
}

void WaylandTarget::OnFrameDue(std::function<void()> handler) {
  surface_.OnFrameDue(std::move(handler));
}

}  // namespace view
