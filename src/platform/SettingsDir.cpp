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

std::string SettingsDirectory() {
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

bool TempPathAvailable() {
  std::error_code ec;
  const fs::path tmp = fs::temp_directory_path(ec);
  if (!ec && fs::is_directory(tmp, ec)) return true;
  ShowMessageBox(kPathError, kPathErrorCaption);
  return false;
}

}  // namespace platform
