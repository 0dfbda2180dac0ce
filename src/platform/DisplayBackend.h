#pragma once
#include <string>

// Which window system the program's own window runs on. The tank's OpenGL view draws through
// GLX on X11 and, in a build with Wayland support, through EGL on a native Wayland display.
// Where a desktop offers both (XWayland), X11 is the default: the whole-program tests drive
// it with X11 tools. The choice is made before the toolkit starts, so a session the program
// cannot use ends with a message that says why instead of the toolkit's bare "cannot open
// display".
namespace platform {

// What the environment offers; empty strings for unset variables.
struct DisplayEnvironment {
  std::string gdkBackend;       // GDK_BACKEND: the user's own choice of the toolkit's backend
  std::string display;          // DISPLAY: an X11 server (XWayland on a Wayland desktop)
  std::string waylandDisplay;   // WAYLAND_DISPLAY
  bool waylandSocketFound = false;  // $XDG_RUNTIME_DIR/wayland-0, which the toolkit falls back to
  bool nativeWayland = false;   // this build can draw on Wayland itself
};

enum class DisplayBackend {
  kX11,             // run as an X11 client (natively, or through XWayland)
  kUserChoice,      // GDK_BACKEND names X11 first (or "*"): left to the toolkit, on X11
  kWayland,         // native Wayland: asked for by GDK_BACKEND, or the only display there is
  kUnusableChoice,  // GDK_BACKEND names no backend the view can draw on
  kWaylandWithoutX11,  // a Wayland session without XWayland, in a build without Wayland
  kNoDisplay,       // no window system at all
};

struct BackendDecision {
  DisplayBackend backend = DisplayBackend::kX11;
  // For the three refusals: the message to print before leaving.
  std::string message;
  bool CanStart() const {
    return backend == DisplayBackend::kX11 || backend == DisplayBackend::kUserChoice ||
           backend == DisplayBackend::kWayland;
  }
};

// Reads GDK_BACKEND, DISPLAY, WAYLAND_DISPLAY and looks for the default Wayland socket.
// nativeWayland is the caller's to set.
DisplayEnvironment ReadDisplayEnvironment();

// The first entry of a GDK_BACKEND list (comma-separated, "*" for any) the view can draw on:
// "x11" (also for "*"), or "wayland" when nativeWayland; empty when there is none.
std::string FirstDrawableBackend(const std::string& gdkBackend, bool nativeWayland);

BackendDecision ChooseDisplayBackend(const DisplayEnvironment& env);

}  // namespace platform
