#pragma once
#include <string>

// Which window system the program's own window runs on. The tank's OpenGL view draws through
// GLX, so the toolkit must talk X11: on a Wayland desktop that is XWayland. The choice is made
// before the toolkit starts, so a session it cannot use ends with a message that says why
// instead of the toolkit's bare "cannot open display".
namespace platform {

// What the environment offers; empty strings for unset variables.
struct DisplayEnvironment {
  std::string gdkBackend;       // GDK_BACKEND: the user's own choice of the toolkit's backend
  std::string display;          // DISPLAY: an X11 server (XWayland on a Wayland desktop)
  std::string waylandDisplay;   // WAYLAND_DISPLAY
  bool waylandSocketFound = false;  // $XDG_RUNTIME_DIR/wayland-0, which the toolkit falls back to
};

enum class DisplayBackend {
  kX11,             // run as an X11 client (natively, or through XWayland)
  kUserChoice,      // GDK_BACKEND names backends that include X11: left to the toolkit
  kUnusableChoice,  // GDK_BACKEND leaves X11 out
  kWaylandWithoutX11,  // a Wayland session without XWayland
  kNoDisplay,       // no window system at all
};

struct BackendDecision {
  DisplayBackend backend = DisplayBackend::kX11;
  // For the three refusals: the message to print before leaving.
  std::string message;
  bool CanStart() const {
    return backend == DisplayBackend::kX11 || backend == DisplayBackend::kUserChoice;
  }
};

// Reads GDK_BACKEND, DISPLAY, WAYLAND_DISPLAY and looks for the default Wayland socket.
DisplayEnvironment ReadDisplayEnvironment();

// True when a GDK_BACKEND value (a comma-separated list, "*" for any) lets the toolkit use X11.
bool BackendListAllowsX11(const std::string& gdkBackend);

BackendDecision ChooseDisplayBackend(const DisplayEnvironment& env);

}  // namespace platform
