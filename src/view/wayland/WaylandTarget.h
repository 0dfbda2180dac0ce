#pragma once
#include "view/GlTarget.h"
#include "view/wayland/WaylandGlSurface.h"

// The view's frames on a Wayland display: an EGL child surface over the view's own window,
// which keeps the paints, the mouse and the keys (pointer input passes through the child
// surface). The compositor paces the frames with its frame callbacks.
namespace view {

class WaylandTarget : public GlTarget {
 public:
  // True when the toolkit runs on Wayland, where this target replaces the GLX canvas.
  static bool ToolkitOnWayland() { return WaylandGlSurface::ToolkitOnWayland(); }

  // window: the window the picture covers; it must outlive this object.
  explicit WaylandTarget(wxWindow* window);

  wxWindow* Window() override { return window_; }
  bool CreateContext() override;
  bool HasContext() const override { return surface_.Created(); }
  bool MakeCurrent() override { return surface_.MakeCurrent(); }
  void Present() override { surface_.SwapBuffers(); }
  void KeepFramesComing() override { surface_.RequestFrame(); }
  void ReleaseContext() override { surface_.Destroy(); }
  double PixelScale() const override;
  double CursorImageScale() const override { return 1.0; }

  bool PacedByCompositor() const override { return true; }
  bool FrameDue() const override { return surface_.FrameDue(); }
  void OnFrameDue(std::function<void()> handler) override;

 private:
  wxWindow* window_;
  WaylandGlSurface surface_;
};

}  // namespace view
