#pragma once
#include <functional>

// An OpenGL picture for a toolkit widget on a Wayland display, where GLX does not exist:
// a child surface (wl_subsurface) of the widget's top-level surface, placed over the widget,
// with an EGL window surface and a legacy (compatibility) OpenGL context. Pointer input
// passes through the child surface to the widget, so the toolkit still delivers the mouse.
// Frames follow the compositor: after a swap the next frame is due when the compositor's
// frame callback for that swap arrives, which it sends only while the surface is seen.
//
// Only for a toolkit running on Wayland (ToolkitOnWayland); everything runs on the
// user-interface thread, whose toolkit loop dispatches the compositor's events.
typedef struct _GtkWidget GtkWidget;
struct wl_callback;
struct wl_compositor;
struct wl_display;
struct wl_egl_window;
struct wl_subcompositor;
struct wl_subsurface;
struct wl_surface;

namespace view {

class WaylandGlSurface {
 public:
  // True when the toolkit's default display is a Wayland one.
  static bool ToolkitOnWayland();

  // widget: the widget the picture covers; it must outlive this object.
  explicit WaylandGlSurface(GtkWidget* widget);
  ~WaylandGlSurface();
  WaylandGlSurface(const WaylandGlSurface&) = delete;
  WaylandGlSurface& operator=(const WaylandGlSurface&) = delete;

  // Once the widget is realized: the child surface, an RGB config with a depth buffer of
  // depthBits, and the context. False (nothing made) when any of them is refused.
  bool Create(int depthBits);
  bool Created() const { return context_ != nullptr; }

  // Makes the context current on the child surface, first following the widget's size,
  // place and scale. False when there is no context.
  bool MakeCurrent();

  // Asks for the compositor's frame callback, then swaps (never waiting for the compositor).
  bool SwapBuffers();
  // Asks for the next frame callback with a commit that keeps the picture shown.
  void RequestFrame();

  // True until a swap, and again once the compositor has shown that swap's frame.
  bool FrameDue() const { return frameDue_; }
  // Called on the user-interface thread when a frame becomes due.
  void OnFrameDue(std::function<void()> callback) { onFrameDue_ = std::move(callback); }

  long Swaps() const { return swaps_; }
  // The drawable size in buffer pixels (logical size times the output scale).
  int BufferWidth() const { return bufferWidth_; }
  int BufferHeight() const { return bufferHeight_; }

  // Releases the context, the EGL surface and the child surface. Safe to call twice.
  void Destroy();

  // The compositor's frame callback (data: this object).
  static void FrameDone(void* data, wl_callback* callback, unsigned int time);

 private:
  void AskForFrame();
  bool FindGlobals();
  void FollowWidget();

  GtkWidget* widget_;
  wl_display* display_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_subcompositor* subcompositor_ = nullptr;
  wl_surface* surface_ = nullptr;
  wl_subsurface* subsurface_ = nullptr;
  wl_egl_window* eglWindow_ = nullptr;
  wl_callback* frameCallback_ = nullptr;
  void* eglDisplay_ = nullptr;
  void* eglConfig_ = nullptr;
  void* eglSurface_ = nullptr;
  void* context_ = nullptr;
  bool placed_ = false;
  bool frameDue_ = true;
  std::function<void()> onFrameDue_;
  long swaps_ = 0;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0, scale_ = 1;
  int bufferWidth_ = 0, bufferHeight_ = 0;
};

}  // namespace view
