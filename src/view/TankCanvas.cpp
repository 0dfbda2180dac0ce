#include "view/TankCanvas.h"

#include <GL/glx.h>

#include <wx/sizer.h>

#ifdef PELAVO_NATIVE_WAYLAND
#include "view/wayland/WaylandTarget.h"
#endif

#ifdef __WXGTK__
#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#endif

namespace {

constexpr int kDepthBitsWanted = 32;
constexpr int kDepthBitsFallback = 24;

wxGLAttributes AttributesWithDepth(int bits) {
  wxGLAttributes a;
  a.PlatformDefaults().RGBA().DoubleBuffer().Depth(bits).EndList();
  return a;
}

}  // namespace

bool TankCanvas::ChooseAttributes(wxGLAttributes& out) {
#ifdef __WXGTK__
  // A server without OpenGL at all: asking the toolkit for a visual would trip its checks.
  GdkDisplay* gdk = gdk_display_get_default();
  if (gdk && GDK_IS_X11_DISPLAY(gdk)) {
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(GDK_DISPLAY_XDISPLAY(gdk), &errorBase, &eventBase)) return false;
  }
#endif
  for (int bits : {kDepthBitsWanted, kDepthBitsFallback}) {
    wxGLAttributes a = AttributesWithDepth(bits);
    if (wxGLCanvas::IsDisplaySupported(a)) {
      out = a;
      return true;
    }
  }
  return false;
}

TankCanvas::TankCanvas(wxWindow* parent, const wxGLAttributes& attributes)
    : wxGLCanvas(parent, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetBackgroundColour(*wxBLACK);
}

TankCanvas::~TankCanvas() { ReleaseContext(); }

bool TankCanvas::CreateContext() {
  context_ = std::make_unique<wxGLContext>(this);
  if (!context_->IsOK() || !SetCurrent(*context_)) {
    context_.reset();
    return false;
  }
  return true;
}

bool TankCanvas::MakeCurrent() { return context_ && SetCurrent(*context_); }

void TankCanvas::ReleaseContext() {
  // The context's destructor makes no context current when it is the current one.
  context_.reset();
}

double TankCanvas::PixelScale() const {
  const double scale = GetContentScaleFactor();
  return scale > 0.0 ? scale : 1.0;
}

namespace view {

std::unique_ptr<GlTarget> ChooseGlTarget(wxWindow* view, TankCanvas*& canvas) {
  canvas = nullptr;
#ifdef PELAVO_NATIVE_WAYLAND
  // Wayland has no GLX: the view itself is covered by an EGL child surface, made once the
  // view is on screen.
  if (WaylandTarget::ToolkitOnWayland()) return std::make_unique<WaylandTarget>(view);
#endif
  wxGLAttributes attributes;
  if (!TankCanvas::ChooseAttributes(attributes)) return nullptr;
  canvas = new TankCanvas(view, attributes);  // a child window, destroyed with the view
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(canvas, 1, wxEXPAND);
  view->SetSizer(sizer);
  return nullptr;
}

}  // namespace view
