#include "view/WindowVisibility.h"

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
  return before != unmappedMask_ || obscuredBefore != obscured_;
}

}  // namespace view
