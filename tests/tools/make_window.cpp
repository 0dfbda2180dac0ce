// A plain black X window for the desktop tests: creates and maps one window, prints its id
// (0x hexadecimal) on standard output and keeps it until the process is killed.
//   make_window [width height [x y]]      default 640 x 480 at 0, 0
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
}  // namespace

int main(int argc, char** argv) {
  const int width = argc > 2 ? std::atoi(argv[1]) : kDefaultWidth;
  const int height = argc > 2 ? std::atoi(argv[2]) : kDefaultHeight;
  const int x = argc > 4 ? std::atoi(argv[3]) : 0;
  const int y = argc > 4 ? std::atoi(argv[4]) : 0;
  if (width <= 0 || height <= 0) {
    std::fprintf(stderr, "make_window: bad size\n");
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "make_window: cannot open the display\n");
    return 1;
  }
  const int screen = DefaultScreen(dpy);
  const Window w = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), x, y, width, height, 0,
                                       BlackPixel(dpy, screen), BlackPixel(dpy, screen));
  XStoreName(dpy, w, "make_window");
  // Keep the asked position and size even under a window manager.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = x;
  hints.y = y;
  hints.width = width;
  hints.height = height;
  XSetWMNormalHints(dpy, w, &hints);
  XSelectInput(dpy, w, StructureNotifyMask);
  XMapWindow(dpy, w);
  for (;;) {  // wait until it is on screen, then tell the id
    XEvent ev;
    XNextEvent(dpy, &ev);
    if (ev.type == MapNotify) break;
  }
  std::printf("0x%lx\n", static_cast<unsigned long>(w));
  std::fflush(stdout);
  for (;;) {
    XEvent ev;
    XNextEvent(dpy, &ev);
  }
}
