#include "view/wayland/WaylandGlSurface.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <gdk/gdkwayland.h>
#include <gtk/gtk.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <cstring>

namespace view {
namespace {

constexpr unsigned kSubcompositorVersion = 1;
constexpr EGLint kColourBits = 8;
constexpr EGLint kMaxConfigs = 64;

struct Globals {
  wl_subcompositor* subcompositor = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t) {
  auto* g = static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_subcompositor_interface.name) == 0 && !g->subcompositor)
    g->subcompositor = static_cast<wl_subcompositor*>(
        wl_registry_bind(registry, name, &wl_subcompositor_interface, kSubcompositorVersion));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

const wl_callback_listener kFrameListener = {WaylandGlSurface::FrameDone};

}  // namespace

bool WaylandGlSurface::ToolkitOnWayland() {
  GdkDisplay* display = gdk_display_get_default();
  return display && GDK_IS_WAYLAND_DISPLAY(display);
}

WaylandGlSurface::WaylandGlSurface(GtkWidget* widget) : widget_(widget) {}

WaylandGlSurface::~WaylandGlSurface() { Destroy(); }

void WaylandGlSurface::FrameDone(void* data, wl_callback* callback, unsigned int) {
  auto* self = static_cast<WaylandGlSurface*>(data);
  wl_callback_destroy(callback);
  if (self->frameCallback_ == callback) self->frameCallback_ = nullptr;
  self->frameDue_ = true;
  if (self->onFrameDue_) self->onFrameDue_();
}

bool WaylandGlSurface::FindGlobals() {
  // A queue of our own, so the toolkit's dispatch never sees the registry's events.
  wl_event_queue* queue = wl_display_create_queue(display_);
  auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue);
  wl_registry* registry = wl_display_get_registry(wrapped);
  Globals globals;
  wl_registry_add_listener(registry, &kRegistryListener, &globals);
  wl_display_roundtrip_queue(display_, queue);
  wl_registry_destroy(registry);
  wl_proxy_wrapper_destroy(wrapped);
  if (globals.subcompositor)
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(globals.subcompositor), nullptr);
  wl_event_queue_destroy(queue);
  subcompositor_ = globals.subcompositor;
  return subcompositor_ != nullptr;
}

bool WaylandGlSurface::Create(int depthBits) {
  if (context_) return true;
  GdkWindow* window = gtk_widget_get_window(widget_);
  if (!window || !ToolkitOnWayland()) return false;
  GdkWindow* top = gdk_window_get_toplevel(window);
  GdkDisplay* gdkDisplay = gdk_window_get_display(top);
  display_ = gdk_wayland_display_get_wl_display(gdkDisplay);
  compositor_ = gdk_wayland_display_get_wl_compositor(gdkDisplay);
  wl_surface* parent = gdk_wayland_window_get_wl_surface(top);
  if (!display_ || !compositor_ || !parent || !FindGlobals()) return false;

  eglDisplay_ = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, display_, nullptr);
  if (eglDisplay_ == EGL_NO_DISPLAY || !eglInitialize(eglDisplay_, nullptr, nullptr)) {
    Destroy();
    return false;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT,
                                     EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, kColourBits,
                                     EGL_GREEN_SIZE, kColourBits,
                                     EGL_BLUE_SIZE, kColourBits,
                                     EGL_DEPTH_SIZE, depthBits,
                                     EGL_NONE};
  // The sort puts deeper colour first (10 bits a channel), which compositors may not show:
  // the first config with exactly 8 bits a channel is taken.
  EGLConfig configs[kMaxConfigs];
  EGLint found = 0;
  if (!eglBindAPI(EGL_OPENGL_API) ||
      !eglChooseConfig(eglDisplay_, configAttributes, configs, kMaxConfigs, &found)) {
    Destroy();
    return false;
  }
  EGLConfig config = nullptr;
  for (EGLint i = 0; i < found && !config; ++i) {
    EGLint r = 0, g = 0, b = 0;
    eglGetConfigAttrib(eglDisplay_, configs[i], EGL_RED_SIZE, &r);
    eglGetConfigAttrib(eglDisplay_, configs[i], EGL_GREEN_SIZE, &g);
    eglGetConfigAttrib(eglDisplay_, configs[i], EGL_BLUE_SIZE, &b);
    if (r == kColourBits && g == kColourBits && b == kColourBits) config = configs[i];
  }
  if (!config) {
    Destroy();
    return false;
  }
  eglConfig_ = config;
  // No version or profile asked: the implementation's compatibility context, which keeps
  // immediate mode, display lists and selection.
  context_ = eglCreateContext(eglDisplay_, config, EGL_NO_CONTEXT, nullptr);
  if (context_ == EGL_NO_CONTEXT) {
    context_ = nullptr;
    Destroy();
    return false;
  }

  surface_ = wl_compositor_create_surface(compositor_);
  subsurface_ = wl_subcompositor_get_subsurface(subcompositor_, surface_, parent);
  // Drawn whenever it is ready, not in step with the toolkit's own commits.
  wl_subsurface_set_desync(subsurface_);
  // Pointer input falls through to the widget below.
  wl_region* none = wl_compositor_create_region(compositor_);
  wl_surface_set_input_region(surface_, none);
  wl_region_destroy(none);
  FollowWidget();
  return true;
}

void WaylandGlSurface::FollowWidget() {
  GdkWindow* window = gtk_widget_get_window(widget_);
  if (!window || !surface_) return;
  GtkAllocation a;
  gtk_widget_get_allocation(widget_, &a);
  // The widget's place inside the top-level surface (shadows and decorations included).
  int x = 0, y = 0, topX = 0, topY = 0;
  gdk_window_get_origin(window, &x, &y);
  gdk_window_get_origin(gdk_window_get_toplevel(window), &topX, &topY);
  x = x - topX + (gtk_widget_get_has_window(widget_) ? 0 : a.x);
  y = y - topY + (gtk_widget_get_has_window(widget_) ? 0 : a.y);
  const int scale = gdk_window_get_scale_factor(window);
  const int width = a.width > 0 ? a.width : 1;
  const int height = a.height > 0 ? a.height : 1;
  if (x != x_ || y != y_ || !placed_) {
    wl_subsurface_set_position(subsurface_, x, y);
    x_ = x;
    y_ = y;
    placed_ = true;
    // The child surface's place (and the child surface itself) take effect with the next
    // commit of the top-level surface, which the toolkit makes when it draws.
    gtk_widget_queue_draw(gtk_widget_get_toplevel(widget_));
  }
  if (scale != scale_) {
    wl_surface_set_buffer_scale(surface_, scale);
    scale_ = scale;
  }
  if (!eglWindow_ || width != width_ || height != height_ || width * scale != bufferWidth_) {
    width_ = width;
    height_ = height;
    bufferWidth_ = width * scale_;
    bufferHeight_ = height * scale_;
    // The picture covers all of the surface: the compositor need not draw what lies below.
    wl_region* opaque = wl_compositor_create_region(compositor_);
    wl_region_add(opaque, 0, 0, width, height);
    wl_surface_set_opaque_region(surface_, opaque);
    wl_region_destroy(opaque);
    if (eglWindow_) {
      wl_egl_window_resize(eglWindow_, bufferWidth_, bufferHeight_, 0, 0);
    } else {
      eglWindow_ = wl_egl_window_create(surface_, bufferWidth_, bufferHeight_);
      eglSurface_ = eglCreatePlatformWindowSurface(eglDisplay_, static_cast<EGLConfig>(eglConfig_),
                                                   eglWindow_, nullptr);
      if (eglSurface_ == EGL_NO_SURFACE) eglSurface_ = nullptr;
    }
  }
}

bool WaylandGlSurface::MakeCurrent() {
  if (!context_) return false;
  FollowWidget();
  if (!eglSurface_) return false;
  if (!eglMakeCurrent(eglDisplay_, eglSurface_, eglSurface_, context_)) return false;
  // The swap must never block the toolkit's loop: frames are paced by the callbacks.
  eglSwapInterval(eglDisplay_, 0);
  return true;
}

void WaylandGlSurface::AskForFrame() {
  if (frameCallback_) wl_callback_destroy(frameCallback_);
  frameCallback_ = wl_surface_frame(surface_);
  wl_callback_add_listener(frameCallback_, &kFrameListener, this);
  frameDue_ = false;
}

void WaylandGlSurface::RequestFrame() {
  if (!surface_) return;
  AskForFrame();
  // Nothing attached: the surface keeps its picture, and the commit carries the request
  // (the child surface is desynchronised, so it takes effect at once).
  wl_surface_commit(surface_);
  wl_display_flush(display_);
}

bool WaylandGlSurface::SwapBuffers() {
  if (!context_ || !eglSurface_) return false;
  AskForFrame();
  // The swap commits the surface, which carries the callback request with it.
  if (!eglSwapBuffers(eglDisplay_, eglSurface_)) return false;
  ++swaps_;
  wl_display_flush(display_);
  return true;
}

void WaylandGlSurface::Destroy() {
  if (frameCallback_) {
    wl_callback_destroy(frameCallback_);
    frameCallback_ = nullptr;
  }
  if (eglDisplay_) {
    if (eglGetCurrentContext() == context_ && context_)
      eglMakeCurrent(eglDisplay_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (eglSurface_) eglDestroySurface(eglDisplay_, eglSurface_);
    if (context_) eglDestroyContext(eglDisplay_, context_);
    // The EGL display is shared by the process (one per wl_display): not terminated here.
  }
  eglSurface_ = nullptr;
  context_ = nullptr;
  eglDisplay_ = nullptr;
  if (eglWindow_) wl_egl_window_destroy(eglWindow_);
  eglWindow_ = nullptr;
  if (subsurface_) wl_subsurface_destroy(subsurface_);
  subsurface_ = nullptr;
  if (surface_) wl_surface_destroy(surface_);
  surface_ = nullptr;
  if (subcompositor_) wl_subcompositor_destroy(subcompositor_);
  subcompositor_ = nullptr;
  if (display_) wl_display_flush(display_);
}

}  // namespace view
