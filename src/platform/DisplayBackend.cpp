#include "platform/DisplayBackend.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace platform {
namespace {

constexpr const char* kDefaultWaylandSocket = "wayland-0";
constexpr const char* kX11BackendName = "x11";
constexpr const char* kWaylandBackendName = "wayland";
constexpr const char* kAnyBackend = "*";

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

DisplayEnvironment ReadDisplayEnvironment() {
  DisplayEnvironment env;
  env.gdkBackend = Env("GDK_BACKEND");
  env.display = Env("DISPLAY");
  env.waylandDisplay = Env("WAYLAND_DISPLAY");
  const std::string runtimeDir = Env("XDG_RUNTIME_DIR");
  if (!runtimeDir.empty()) {
    std::error_code ec;
    env.waylandSocketFound =
        std::filesystem::exists(std::filesystem::path(runtimeDir) / kDefaultWaylandSocket, ec);
  }
  return env;
}

std::string FirstDrawableBackend(const std::string& gdkBackend, bool nativeWayland) {
  std::istringstream list(gdkBackend);
  std::string item;
  while (std::getline(list, item, ',')) {
    item = Trimmed(item);
    // "*" lets the toolkit pick, and the toolkit's GL library allows it only X11.
    if (item == kX11BackendName || item == kAnyBackend) return kX11BackendName;
    if (item == kWaylandBackendName && nativeWayland) return kWaylandBackendName;
  }
  return {};
}

BackendDecision ChooseDisplayBackend(const DisplayEnvironment& env) {
  BackendDecision d;
  // The user's own GDK_BACKEND wins: its first entry the view can draw on.
  if (!env.gdkBackend.empty()) {
    const std::string first = FirstDrawableBackend(env.gdkBackend, env.nativeWayland);
    if (first == kX11BackendName) {
      d.backend = DisplayBackend::kUserChoice;
    } else if (first == kWaylandBackendName) {
      d.backend = DisplayBackend::kWayland;
    } else {
      d.backend = DisplayBackend::kUnusableChoice;
      d.message = "pelavo: GDK_BACKEND=" + env.gdkBackend +
                  " names no window system the tank's OpenGL view draws on.\n" +
                  (env.nativeWayland
                       ? "Unset GDK_BACKEND or let it name x11 or wayland.\n"
                       : "Unset GDK_BACKEND or let it name x11 (on a Wayland desktop X11 is "
                         "XWayland).\n");
    }
    return d;
  }
  // Both offered (a Wayland desktop with XWayland): X11, which the program is tested on
  // with real input from end to end.
  if (!env.display.empty()) {
    d.backend = DisplayBackend::kX11;
    return d;
  }
  if (!env.waylandDisplay.empty() || env.waylandSocketFound) {
    if (env.nativeWayland) {
      d.backend = DisplayBackend::kWayland;
      return d;
    }
    d.backend = DisplayBackend::kWaylandWithoutX11;
    d.message =
        "pelavo: this Wayland session offers no X11 display (DISPLAY is not set).\n"
        "This build of the tank draws only through X11, which a Wayland desktop provides\n"
        "with XWayland: enable XWayland in the compositor (most start it by themselves) and\n"
        "run pelavo with DISPLAY set, or log in to an X11 session.\n";
    return d;
  }
  d.backend = DisplayBackend::kNoDisplay;
  d.message = "pelavo: no display: neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
              "Start pelavo from a desktop session (X11 or Wayland).\n";
  return d;
}

}  // namespace platform
