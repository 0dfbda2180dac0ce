#include "platform/SettingsDir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/MessageBox.h"

namespace platform {
namespace fs = std::filesystem;

namespace {
constexpr const char* kAppDirName = "PelavoScr";
constexpr const char* kPathError = "Error Find TempPath.";
constexpr const char* kPathErrorCaption = "ERROR";

fs::path configHome() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".config";
  return {};
}
}  // namespace

namespace {
// One lookup per process. A failure is told once, at the first lookup: every later caller
// (each packed texture, pellet, emitter and dialog tick) gets the same answer silently, so
// no second message box can open from a timer while the first is still up.
std::string LookUpOnce() {
  const fs::path base = configHome();
  std::error_code ec;
  if (!base.empty()) {
    const fs::path dir = base / kAppDirName;
    fs::create_directories(dir, ec);
    if (fs::is_directory(dir, ec)) return dir.string() + "/";
  }
  ShowMessageBox(kPathError, kPathErrorCaption);
  return {};
}

bool g_lookedUp = false;
std::string g_directory;
}  // namespace

std::string SettingsDirectory() {
  if (!g_lookedUp) {
    g_lookedUp = true;  // set first: the message box runs a nested event loop
    g_directory = LookUpOnce();
  }
  return g_directory;
}

void ForgetSettingsDirectory() {
  g_lookedUp = false;
  g_directory.clear();
}

bool TempPathAvailable() {
  std::error_code ec;
  const fs::path tmp = fs::temp_directory_path(ec);
  if (!ec && fs::is_directory(tmp, ec)) return true;
  ShowMessageBox(kPathError, kPathErrorCaption);
  return false;
}

}  // namespace platform
