#include "app/ScreensaverMode.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <thread>

#include "view/FrameDriver.h"
#include "view/FramePacer.h"
#include "view/Scene.h"

namespace app {
namespace {

using Clock = std::chrono::steady_clock;

// While the window is covered or unmapped the loop only looks for events this often.
constexpr std::chrono::milliseconds kHiddenPoll{250};
// A new window size is taken once it has held this long (a dragged preview sends many).
constexpr std::chrono::milliseconds kResizeSettle{300};
constexpr int kDepthBitsWanted = 24;
constexpr int kDepthBitsFallback = 16;

volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void RequestStop(int) { g_stopRequested = 1; }

void InstallStopHandlers() {
  struct sigaction sa {};
  sa.sa_handler = RequestStop;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no restart: a sleep ends early when the signal comes
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
}

// A window that vanishes under us (the daemon destroys it) must not end the process
// through Xlib's default error handler.
volatile bool g_xErrorSeen = false;
extern "C" int RecordXError(Display*, XErrorEvent*) {
  g_xErrorSeen = true;
  return 0;
}

bool VisualFitsTank(Display* dpy, XVisualInfo* vi) {
  int useGl = 0, rgba = 0, doubleBuffer = 0, depth = 0;
  glXGetConfig(dpy, vi, GLX_USE_GL, &useGl);
  glXGetConfig(dpy, vi, GLX_RGBA, &rgba);
  glXGetConfig(dpy, vi, GLX_DOUBLEBUFFER, &doubleBuffer);
  glXGetConfig(dpy, vi, GLX_DEPTH_SIZE, &depth);
  return useGl && rgba && doubleBuffer && depth >= kDepthBitsFallback;
}

struct XFreeDeleter {
  void operator()(XVisualInfo* p) const {
    if (p) XFree(p);
  }
};
using VisualPtr = std::unique_ptr<XVisualInfo, XFreeDeleter>;

// The window's own visual when it can hold the tank's buffers.
VisualPtr WindowVisual(Display* dpy, const XWindowAttributes& attrs) {
  XVisualInfo tmpl{};
  tmpl.visualid = XVisualIDFromVisual(attrs.visual);
  int count = 0;
  VisualPtr vi(XGetVisualInfo(dpy, VisualIDMask, &tmpl, &count));
  if (vi && count > 0 && VisualFitsTank(dpy, vi.get())) return vi;
  return nullptr;
}

VisualPtr ChooseTankVisual(Display* dpy, int screen) {
  for (int bits : {kDepthBitsWanted, kDepthBitsFallback}) {
    int attribs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, bits, None};
    if (XVisualInfo* vi = glXChooseVisual(dpy, screen, attribs)) return VisualPtr(vi);
  }
  return nullptr;
}

// Everything the mode holds on the display; released in reverse order.
class SaverSession {
 public:
  explicit SaverSession(const LaunchOptions& options) : options_(options) {}
  ~SaverSession() { Release(); }

  bool Open();
  void Run();

 private:
  bool MakeDrawable(const XWindowAttributes& attrs);
  bool StartScene(int width, int height);
  void StopScene();
  void ReadEvents(Clock::time_point now);
  void Release();

  const LaunchOptions& options_;
  Display* dpy_ = nullptr;
  Window target_ = 0;
  Window drawable_ = 0;       // the target itself, or our child window with a GL visual
  bool ownChild_ = false;
  Colormap colormap_ = 0;
  VisualPtr visual_;
  GLXContext context_ = nullptr;
  std::unique_ptr<view::Scene> scene_;
  std::unique_ptr<view::FrameDriver> driver_;
  int width_ = 0, height_ = 0;              // the size the scene was started with
  int pendingWidth_ = 0, pendingHeight_ = 0;
  Clock::time_point pendingSince_{};
  bool resizePending_ = false;
  bool unmapped_ = false;
  bool obscured_ = false;
  bool targetGone_ = false;
};

bool SaverSession::Open() {
  const char* name = options_.display.empty() ? nullptr : options_.display.c_str();
  dpy_ = XOpenDisplay(name);
  if (!dpy_) {
    std::fprintf(stderr, "pelavo: cannot open display '%s'\n", XDisplayName(name));
    return false;
  }
  XSetErrorHandler(RecordXError);
  target_ = options_.rootWindow ? DefaultRootWindow(dpy_) : options_.windowId;

  XWindowAttributes attrs{};
  g_xErrorSeen = false;
  if (!XGetWindowAttributes(dpy_, target_, &attrs) || g_xErrorSeen) {
    std::fprintf(stderr, "pelavo: no window 0x%lx on the display\n", target_);
    return false;
  }
  if (attrs.c_class == InputOnly) {
    std::fprintf(stderr, "pelavo: window 0x%lx cannot be drawn into\n", target_);
    return false;
  }
  // Structure changes of the target (size, map state, destruction) and its visibility. Other
  // clients may select these on a window they do not own.
  XSelectInput(dpy_, target_, StructureNotifyMask | VisibilityChangeMask);
  unmapped_ = attrs.map_state == IsUnmapped;
  if (!MakeDrawable(attrs)) return false;
  return StartScene(attrs.width, attrs.height);
}

bool SaverSession::MakeDrawable(const XWindowAttributes& attrs) {
  visual_ = WindowVisual(dpy_, attrs);
  if (visual_) {
    drawable_ = target_;
    return true;
  }
  // The window's visual has no double-buffered GL with depth: draw into a child of it that
  // has such a visual and covers it exactly.
  const int screen = XScreenNumberOfScreen(attrs.screen);
  visual_ = ChooseTankVisual(dpy_, screen);
  if (!visual_) {
    std::fprintf(stderr, "pelavo: the display offers no double-buffered OpenGL visual\n");
    return false;
  }
  colormap_ = XCreateColormap(dpy_, target_, visual_->visual, AllocNone);
  XSetWindowAttributes set{};
  set.colormap = colormap_;
  set.background_pixel = BlackPixel(dpy_, screen);
  set.border_pixel = 0;
  // A child of the root would be a top-level window: keep the window manager out of it.
  set.override_redirect = options_.rootWindow ? True : False;
  // Input goes to the window below, as if the tank were drawn there.
  set.event_mask = VisibilityChangeMask;
  drawable_ = XCreateWindow(dpy_, target_, 0, 0, attrs.width, attrs.height, 0, visual_->depth,
                            InputOutput, visual_->visual,
                            CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect |
                                CWEventMask,
                            &set);
  ownChild_ = true;
  XMapWindow(dpy_, drawable_);
  XSync(dpy_, False);
  return drawable_ != 0;
}

bool SaverSession::StartScene(int width, int height) {
  context_ = glXCreateContext(dpy_, visual_.get(), nullptr, True);
  if (!context_) context_ = glXCreateContext(dpy_, visual_.get(), nullptr, False);
  if (!context_ || !glXMakeCurrent(dpy_, drawable_, context_)) {
    std::fprintf(stderr, "pelavo: cannot create an OpenGL context for window 0x%lx\n",
                 drawable_);
    return false;
  }
  width_ = width > 0 ? width : 1;
  height_ = height > 0 ? height : 1;
  scene_ = std::make_unique<view::Scene>();
  scene_->Startup(width_, height_);
  driver_ = std::make_unique<view::FrameDriver>(*scene_);
  // The overlay's help lines name the menu and Esc, which a screensaver does not have.
  if (scene_->overlay().visible()) scene_->ToggleOverlay();
  return true;
}

void SaverSession::StopScene() {
  driver_.reset();
  scene_.reset();
  if (context_) {
    glXMakeCurrent(dpy_, None, nullptr);
    glXDestroyContext(dpy_, context_);
    context_ = nullptr;
  }
}

void SaverSession::ReadEvents(Clock::time_point now) {
  while (XPending(dpy_) > 0) {
    XEvent ev;
    XNextEvent(dpy_, &ev);
    switch (ev.type) {
      case ConfigureNotify:
        if (ev.xconfigure.window != target_) break;
        if (ev.xconfigure.width != width_ || ev.xconfigure.height != height_) {
          pendingWidth_ = ev.xconfigure.width;
          pendingHeight_ = ev.xconfigure.height;
          pendingSince_ = now;
          resizePending_ = true;
        } else {
          resizePending_ = false;
        }
        break;
      case MapNotify:
        if (ev.xmap.window == target_) unmapped_ = false;
        break;
      case UnmapNotify:
        if (ev.xunmap.window == target_) unmapped_ = true;
        break;
      case VisibilityNotify:
        if (ev.xvisibility.window == drawable_)
          obscured_ = ev.xvisibility.state == VisibilityFullyObscured;
        break;
      case DestroyNotify:
        if (ev.xdestroywindow.window == target_) targetGone_ = true;
        break;
      default:
        break;
    }
  }
}

void SaverSession::Run() {
  auto nextFrame = Clock::now();
  while (!g_stopRequested && !targetGone_) {
    const auto now = Clock::now();
    ReadEvents(now);
    if (targetGone_) break;

    if (resizePending_ && now - pendingSince_ >= kResizeSettle) {
      // The scene's tank box and projection come from the size it starts with: start anew.
      resizePending_ = false;
      StopScene();
      if (ownChild_) XResizeWindow(dpy_, drawable_, pendingWidth_, pendingHeight_);
      if (!StartScene(pendingWidth_, pendingHeight_)) return;
      nextFrame = Clock::now();
    }

    if (unmapped_ || obscured_) {
      // Nothing to show: the tank's time stops until it shows again.
      driver_->Hold();
      driver_->RequestRedraw();
      std::this_thread::sleep_for(kHiddenPoll);
      nextFrame = Clock::now();
      continue;
    }

    if (driver_->Frame(Clock::now())) {
      glXSwapBuffers(dpy_, drawable_);
      glFinish();
    }

    nextFrame += view::kFrameInterval;
    const auto after = Clock::now();
    if (nextFrame < after) nextFrame = after;  // a slow frame: do not try to catch up
    std::this_thread::sleep_until(nextFrame);
  }
}

void SaverSession::Release() {
  if (!dpy_) return;
  StopScene();
  if (ownChild_ && drawable_) XDestroyWindow(dpy_, drawable_);
  if (colormap_) XFreeColormap(dpy_, colormap_);
  // Leave the foreign window's event selection as we found it.
  if (target_ && !targetGone_) XSelectInput(dpy_, target_, NoEventMask);
  XSync(dpy_, False);
  visual_.reset();
  XCloseDisplay(dpy_);
  dpy_ = nullptr;
}

}  // namespace

int RunScreensaver(const LaunchOptions& options) {
  g_stopRequested = 0;
  InstallStopHandlers();
  SaverSession session(options);
  if (!session.Open()) return 1;
  session.Run();
  return 0;
}

}  // namespace app
