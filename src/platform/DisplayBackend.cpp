#include "platform/DisplayBackend.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace platform {
namespace {

constexpr const char* kDefaultWaylandSocket = "wayland-0";
constexpr const char* kX11BackendName = "x11";
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

bool BackendListAllowsX11(const std::string& gdkBackend) {
  std::istringstream list(gdkBackend);
  std::string item;
  while (std::getline(list, item, ',')) {
    item = Trimmed(item);
    if (item == kX11BackendName || item == kAnyBackend) return true;
  }
  return false;
}

BackendDecision ChooseDisplayBackend(const DisplayEnvironment& env) {
  BackendDecision d;
  // The user's own GDK_BACKEND wins, as long as it lets the toolkit reach X11.
  if (!env.gdkBackend.empty()) {
    if (BackendListAllowsX11(env.gdkBackend)) {
      d.backend = DisplayBackend::kUserChoice;
    } else {
      d.backend = DisplayBackend::kUnusableChoice;
      d.message = "pelavo: GDK_BACKEND=" + env.gdkBackend +
                  " leaves out X11, which the tank's OpenGL view draws through.\n"
                  "Unset GDK_BACKEND or let it name x11 (on a Wayland desktop X11 is XWayland).\n";
    }
    return d;
  }
  if (!env.display.empty()) {
    d.backend = DisplayBackend::kX11;
    return d;
  }
  if (!env.waylandDisplay.empty() || env.waylandSocketFound) {
    d.backend = DisplayBackend::kWaylandWithoutX11;
    d.message =
        "pelavo: this Wayland session offers no X11 display (DISPLAY is not set).\n"
        "The tank's OpenGL view draws through X11, which a Wayland desktop provides with\n"
        "XWayland: enable XWayland in the compositor (most start it by themselves) and run\n"
        "pelavo with DISPLAY set, or log in to an X11 session.\n";
    return d;
  }
  d.backend = DisplayBackend::kNoDisplay;
  d.message = "pelavo: no display: neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
              "Start pelavo from a desktop session (X11, or Wayland with XWayland).\n";
  return d;
}

}  // namespace platform
