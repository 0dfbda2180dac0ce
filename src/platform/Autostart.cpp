#include "platform/Autostart.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

// One argument of an Exec line: bare when it has nothing the launcher treats specially,
// else in double quotes with ", `, $ and \ escaped by a backslash; then every backslash of
// the result doubled and every % doubled, as a desktop entry's string value wants.
std::string ExecArgument(const std::string& arg) {
  bool plain = !arg.empty();
  for (char c : arg)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == '-' ||
          c == '_' || c == '+'))
      plain = false;
  std::string quoted;
  if (plain) {
    quoted = arg;
  } else {
    quoted = "\"";
    for (char c : arg) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    quoted += '"';
  }
  std::string value;
  for (char c : quoted) {
    if (c == '\\') value += '\\';
    if (c == '%') value += '%';
    value += c;
  }
  return value;
}

}  // namespace

std::string AutostartFile() {
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && xdg[0] == '/')
    base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = fs::path(home) / ".config";
  else
    return {};
  return (base / "autostart" / kAutostartFileName).string();
}

bool AutostartOn() {
  const std::string file = AutostartFile();
  std::error_code ec;
  return !file.empty() && fs::is_regular_file(file, ec);
}

std::string AutostartEntry(const std::string& program) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Pelavo Desktop Background\n"
         "Comment=The live 3-D fish tank behind your windows\n"
         "Icon=pelavo\n"
         "Exec=" + ExecArgument(program) + " --desktop\n"
         "Terminal=false\n"
         "NoDisplay=true\n"
         "X-GNOME-Autostart-enabled=true\n";
}

bool SetAutostart(bool on, const std::string& program) {
  const std::string file = AutostartFile();
  if (file.empty()) return false;
  std::error_code ec;
  if (!on) {
    fs::remove(file, ec);
    return !ec && !fs::exists(file, ec);
  }
  fs::create_directories(fs::path(file).parent_path(), ec);
  if (ec) return false;
  // Written beside it and renamed, so a session never starts from half an entry.
  const std::string part = file + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out << AutostartEntry(program);
    out.close();
    if (!out) {
      fs::remove(part, ec);
      return false;
    }
  }
  fs::rename(part, file, ec);
  if (ec) fs::remove(part, ec);
  return AutostartOn();
}

std::string OwnProgramPath() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec || self.empty() ? std::string("pelavo") : self.string();
}

}  // namespace platform
