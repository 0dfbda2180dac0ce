#pragma once
#include <memory>

#include <wx/glcanvas.h>

#include "view/GlTarget.h"

// The OpenGL surface of the view on X11: a GLX canvas that fills the view and holds its one
// rendering context. Paints, mouse and keys on the canvas are handled by the view, which
// binds them; the view paces the frames itself.
class TankCanvas : public wxGLCanvas, public view::GlTarget {
 public:
  // The pixel format the tank asks for: double-buffered RGBA with a 32-bit depth buffer,
  // else a 24-bit one. False when the display supports neither (or has no OpenGL at all).
  static bool ChooseAttributes(wxGLAttributes& out);

  TankCanvas(wxWindow* parent, const wxGLAttributes& attributes);
  ~TankCanvas() override;

  wxWindow* Window() override { return this; }
  // Creates the rendering context and makes it current; false when it cannot be made.
  bool CreateContext() override;
  // Makes the context current on this canvas; false when there is none.
  bool MakeCurrent() override;
  void Present() override { SwapBuffers(); }
  // Releases the rendering context (no context is current afterwards).
  void ReleaseContext() override;
  bool HasContext() const override { return context_ != nullptr; }

  // Physical pixels per window-size unit: 2 on a screen scaled to 200 %. The GL framebuffer
  // is in physical pixels, window sizes and mouse positions are not.
  double PixelScale() const override;

 private:
  std::unique_ptr<wxGLContext> context_;
};

namespace view {

// The view's OpenGL target, chosen for the display: on Wayland an EGL child surface over
// the view itself, elsewhere a GLX canvas that fills the view (canvas is then set). None
// when the display offers no usable pixel format.
std::unique_ptr<GlTarget> ChooseGlTarget(wxWindow* view, TankCanvas*& canvas);

}  // namespace view
