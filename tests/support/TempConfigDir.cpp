#include "support/TempConfigDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/SettingsDir.h"

namespace fs = std::filesystem;

TempConfigDir::TempConfigDir() {
  std::string tmpl = (fs::temp_directory_path() / "pelavo-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  root_ = tmpl;
  if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
    hadXdg_ = true;
    oldXdg_ = old;
  }
  ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  platform::ForgetSettingsDirectory();  // looked up once per process: look again here
  oldHandler_ = platform::SetMessageBoxHandler(
      [this](const std::string& text, const std::string& caption, int flags) {
        messages_.push_back({text, caption, flags});
      });
}

TempConfigDir::~TempConfigDir() {
  platform::SetMessageBoxHandler(oldHandler_);
  if (hadXdg_)
    ::setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
  platform::ForgetSettingsDirectory();
  std::error_code ec;
  fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(root_, ec);
}

std::string TempConfigDir::settingsDir() const { return root_ + "/PelavoScr/"; }
std::string TempConfigDir::settingsFile() const { return settingsDir() + "PelavoSet.ini"; }

void TempConfigDir::writeFile(const std::string& path, const std::string& text) const {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string TempConfigDir::readFile(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
