#include "view/WindowVisibility.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace view {
namespace {
Display* AsDisplay(void* p) { return static_cast<Display*>(p); }
}  // namespace

WindowVisibility::~WindowVisibility() { Stop(); }

bool WindowVisibility::Watch(unsigned long window) {
  Stop();
  if (window == 0) return false;
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return false;

  // The window itself and every ancestor up to (not including) the root: unmapping any of
  // them (minimising the frame, a window manager hiding it) makes the window unviewable.
  Window current = window;
  int count = 0;
  unsigned unmapped = 0;
  while (current != 0 && count < kMaxWatched) {
    XWindowAttributes attrs{};
    if (!XGetWindowAttributes(dpy, current, &attrs)) break;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned childCount = 0;
    if (!XQueryTree(dpy, current, &root, &parent, &children, &childCount)) break;
    if (children) XFree(children);
    if (current == root) break;
    long mask = StructureNotifyMask;
    if (current == window) mask |= VisibilityChangeMask;
    XSelectInput(dpy, current, mask);
    if (attrs.map_state == IsUnmapped) unmapped |= 1u << count;
    watched_[count++] = current;
    current = parent;
  }
  if (count == 0) {
    XCloseDisplay(dpy);
    return false;
  }
  XFlush(dpy);
  display_ = dpy;
  window_ = window;
  watchedCount_ = count;
  unmappedMask_ = unmapped;
  obscured_ = false;
  return true;
}

void WindowVisibility::Stop() {
  if (!display_) return;
  XCloseDisplay(AsDisplay(display_));  // the server drops this connection's selections
  display_ = nullptr;
  window_ = 0;
  watchedCount_ = 0;
  unmappedMask_ = 0;
  obscured_ = false;
  coveredInStack_ = false;
}

bool WindowVisibility::Poll() {
  if (!display_) return false;
  Display* dpy = AsDisplay(display_);
  const unsigned before = unmappedMask_;
  const bool obscuredBefore = obscured_;
  bool reparented = false;
  while (XPending(dpy) > 0) {
    XEvent ev;
    XNextEvent(dpy, &ev);
    auto indexOf = [&](Window w) {
      for (int i = 0; i < watchedCount_; ++i)
        if (watched_[i] == w) return i;
      return -1;
    };
    switch (ev.type) {
      case MapNotify:
        // Only the window's own structure events: the parent also reports its children's.
        if (ev.xmap.event == ev.xmap.window)
          if (const int i = indexOf(ev.xmap.window); i >= 0) unmappedMask_ &= ~(1u << i);
        break;
      case UnmapNotify:
        if (ev.xunmap.event == ev.xunmap.window)
          if (const int i = indexOf(ev.xunmap.window); i >= 0) unmappedMask_ |= 1u << i;
        break;
      case VisibilityNotify:
        if (ev.xvisibility.window == window_)
          obscured_ = ev.xvisibility.state == VisibilityFullyObscured;
        break;
      case ReparentNotify:
        // A window manager framed the window: the chain of ancestors is a new one.
        if (ev.xreparent.event == ev.xreparent.window) reparented = true;
        break;
      default:
        break;  // configure, gravity: the map state does not change
    }
  }
  if (reparented) {
    const bool obscured = obscured_;
    Watch(window_);
    obscured_ = obscured;
  }
  const bool coveredBefore = coveredInStack_;
  const auto now = std::chrono::steady_clock::now();
  if (checkStacking_ && display_ && now - stackReadAt_ >= kStackingInterval) {
    stackReadAt_ = now;
    coveredInStack_ = CoveredInStack();
  }
  return before != unmappedMask_ || obscuredBefore != obscured_ ||
         coveredBefore != coveredInStack_;
}

bool WindowVisibility::CoveredInStack() {
  Display* dpy = AsDisplay(display_);
  const Window root = DefaultRootWindow(dpy);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom stacking = XInternAtom(dpy, "_NET_CLIENT_LIST_STACKING", False);
  if (XGetWindowProperty(dpy, root, stacking, 0, 4096, False, XA_WINDOW, &type, &format, &count,
                         &after, &data) != Success ||
      !data)
    return false;
  const auto* list = reinterpret_cast<const unsigned long*>(data);  // 32-bit items as longs
  auto rectOf = [&](Window w, int& x, int& y, int& width, int& height) {
    XWindowAttributes attrs{};
    if (!XGetWindowAttributes(dpy, w, &attrs) || attrs.map_state != IsViewable) return false;
    Window child = 0;
    if (!XTranslateCoordinates(dpy, w, root, 0, 0, &x, &y, &child)) return false;
    width = attrs.width;
    height = attrs.height;
    return true;
  };
  bool covered = false;
  int ours = -1;
  for (unsigned long i = 0; i < count && ours < 0; ++i)
    for (int k = 0; k < watchedCount_; ++k)
      if (list[i] == watched_[k]) ours = static_cast<int>(i);
  int x = 0, y = 0, w = 0, h = 0;
  if (ours >= 0 && rectOf(window_, x, y, w, h)) {
    for (unsigned long i = ours + 1; i < count && !covered; ++i) {
      int ox = 0, oy = 0, ow = 0, oh = 0;
      if (rectOf(list[i], ox, oy, ow, oh))
        covered = ox <= x && oy <= y && ox + ow >= x + w && oy + oh >= y + h;
    }
  }
  XFree(data);
  return covered;
}

}  // namespace view
