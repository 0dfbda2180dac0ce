#include "platform/UrlOpener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace platform {
namespace fs = std::filesystem;

namespace {
constexpr const char* kHtmlMimeType = "text/html";
constexpr const char* kDesktopEntryGroup = "Desktop Entry";
constexpr const char* kDefaultAppsGroup = "Default Applications";
constexpr const char* kAboutPageName = "about.html";
constexpr const char* kInstalledAboutPages[] = {"/usr/local/share/pelavo/about.html",
                                                "/usr/share/pelavo/about.html"};
constexpr std::size_t kMaxHandlerQueryOutput = 4096;

std::string envOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return (v && *v) ? std::string(v) : fallback;
}

std::string homeDir() { return envOr("HOME", ""); }

std::vector<std::string> splitColon(const std::string& list) {
  std::vector<std::string> out;
  std::stringstream ss(list);
  std::string item;
  while (std::getline(ss, item, ':'))
    if (!item.empty()) out.push_back(item);
  return out;
}

std::string trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  const auto e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

// The first value of key inside [group] of an INI-style desktop file; "" when absent.
std::string groupValue(const std::string& path, const std::string& group, const std::string& key) {
  std::ifstream in(path);
  if (!in) return "";
  std::string line;
  bool inGroup = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string t = trim(line);
    if (t.empty() || t[0] == '#') continue;
    if (t[0] == '[') {
      inGroup = (t == "[" + group + "]");
      continue;
    }
    if (!inGroup) continue;
    const auto eq = t.find('=');
    if (eq == std::string::npos) continue;
    if (trim(t.substr(0, eq)) == key) return trim(t.substr(eq + 1));
  }
  return "";
}

// The general escapes of desktop entry string values: \s \n \t \r \\.
std::string unescapeValue(const std::string& v) {
  std::string out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\' || i + 1 == v.size()) {
      out += v[i];
      continue;
    }
    const char c = v[++i];
    switch (c) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += "\\\\"; break;  // stays escaped for the Exec quoting rules
      default: out += '\\'; out += c; break;
    }
  }
  return out;
}

bool isUrlFieldCode(char c) { return c == 'u' || c == 'U' || c == 'f' || c == 'F'; }

int spawnErrorCode(int err) {
  switch (err) {
    case ENOENT: case ENOTDIR: return kOpenUrlFileNotFound;
    case EACCES: case EPERM: return kOpenUrlAccessDenied;
    case ENOMEM: return kOpenUrlOutOfMemory;
    case ENOEXEC: return 11;
    default: return 0;
  }
}

// Starts argv[0] (searched on PATH) with the given arguments, no shell involved. The child
// is reaped by a detached waiter so it never lingers as a zombie.
int spawnDetached(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int err = ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
  if (err != 0) return spawnErrorCode(err);
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return kOpenUrlSuccess;
}

// Runs a program and returns what it wrote to standard output ("" when it cannot run).
std::string captureOutput(const std::vector<std::string>& args) {
  int fds[2];
  if (::pipe(fds) != 0) return "";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int err = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  std::string out;
  if (err == 0) {
    char buf[256];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))
      if (n > 0 && out.size() < kMaxHandlerQueryOutput) out.append(buf, static_cast<size_t>(n));
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out.clear();
  }
  ::close(fds[0]);
  return out;
}

std::vector<std::string> configDirs() {
  std::vector<std::string> dirs{envOr("XDG_CONFIG_HOME", homeDir() + "/.config")};
  for (auto& d : splitColon(envOr("XDG_CONFIG_DIRS", "/etc/xdg"))) dirs.push_back(d);
  return dirs;
}

std::vector<std::string> dataDirs() {
  std::vector<std::string> dirs{envOr("XDG_DATA_HOME", homeDir() + "/.local/share")};
  for (auto& d : splitColon(envOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share")))
    dirs.push_back(d);
  return dirs;
}

// The first installed entry of a "a.desktop;b.desktop;" list.
std::string firstInstalled(const std::string& list) {
  std::stringstream ss(list);
  std::string id;
  while (std::getline(ss, id, ';')) {
    id = trim(id);
    if (!id.empty() && !FindDesktopEntry(id).empty()) return id;
  }
  return "";
}

// The association lists in the order the desktop looks at them.
std::vector<std::string> mimeappsLists() {
  std::vector<std::string> files;
  const std::string desktops = envOr("XDG_CURRENT_DESKTOP", "");
  for (const auto& dir : configDirs()) {
    std::stringstream ss(desktops);
    std::string de;
    while (std::getline(ss, de, ':'))
      if (!de.empty()) {
        for (auto& ch : de) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        files.push_back(dir + "/" + de + "-mimeapps.list");
      }
    files.push_back(dir + "/mimeapps.list");
  }
  for (const auto& dir : dataDirs()) {
    files.push_back(dir + "/applications/mimeapps.list");
    files.push_back(dir + "/applications/defaults.list");
  }
  return files;
}

std::string percentEncodePath(const std::string& path) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}
}  // namespace

std::vector<std::string> HandlerArgv(const std::string& execLine, const std::string& url) {
  const std::string line = unescapeValue(execLine);
  std::vector<std::string> args;
  std::string cur;
  bool inArg = false, quoted = false, cut = false;
  for (std::size_t i = 0; i < line.size() && !cut; ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < line.size()) {
        cur += line[++i];
      } else if (c == '%' && i + 1 < line.size() && line[i + 1] == '%') {
        cur += '%';
        ++i;
      } else {
        cur += c;
      }
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inArg) args.push_back(cur);
      cur.clear();
      inArg = false;
      continue;
    }
    inArg = true;
    if (c == '"') {
      quoted = true;
    } else if (c == '%' && i + 1 < line.size()) {
      const char code = line[++i];
      if (code == '%') {
        cur += '%';
      } else if (isUrlFieldCode(code)) {
        // The URL takes the place of the field code; the rest of the line is dropped.
        cur += url;
        args.push_back(cur);
        cut = true;
      }
      // Any other field code (%i, %c, %k and the deprecated ones) expands to nothing here.
    } else if (c == '\\' && i + 1 < line.size()) {
      cur += line[++i];
    } else {
      cur += c;
    }
  }
  if (quoted) return {};
  if (!cut) {
    if (inArg && !cur.empty()) args.push_back(cur);
    if (args.empty()) return {};
    args.push_back(url);
  }
  // An argument that was only a dropped field code leaves nothing behind.
  std::vector<std::string> out;
  for (auto& a : args)
    if (!a.empty()) out.push_back(a);
  if (out.size() < 2) return {};
  return out;
}

std::string FindDesktopEntry(const std::string& desktopId) {
  if (desktopId.empty() || desktopId.find("..") != std::string::npos) return "";
  for (const auto& dir : dataDirs()) {
    std::error_code ec;
    std::string path = dir + "/applications/" + desktopId;
    if (fs::is_regular_file(path, ec)) return path;
    // "vendor-app.desktop" may also live in applications/vendor/app.desktop.
    std::string sub = desktopId;
    for (auto pos = sub.find('-'); pos != std::string::npos; pos = sub.find('-', pos + 1)) {
      sub[pos] = '/';
      path = dir + "/applications/" + sub;
      if (fs::is_regular_file(path, ec)) return path;
    }
  }
  return "";
}

std::string DesktopEntryExec(const std::string& desktopFilePath) {
  return groupValue(desktopFilePath, kDesktopEntryGroup, "Exec");
}

std::string DefaultHtmlHandlerId() {
  const std::string queried =
      trim(captureOutput({"xdg-mime", "query", "default", kHtmlMimeType}));
  if (!queried.empty() && !FindDesktopEntry(queried).empty()) return queried;
  for (const auto& list : mimeappsLists()) {
    const std::string id = firstInstalled(groupValue(list, kDefaultAppsGroup, kHtmlMimeType));
    if (!id.empty()) return id;
  }
  return "";
}

int OpenUrlWithHtmlHandler(const std::string& url) {
  const std::string id = DefaultHtmlHandlerId();
  if (id.empty()) return kOpenUrlNoHandler;
  const std::vector<std::string> argv = HandlerArgv(DesktopEntryExec(FindDesktopEntry(id)), url);
  if (argv.empty()) return kOpenUrlNoHandler;
  return spawnDetached(argv);
}

int OpenUrl(const std::string& url) {
  {
    wxLogNull quiet;  // a failure here is answered by the fallback, not by a log window
    if (wxLaunchDefaultBrowser(wxString::FromUTF8(url))) return kOpenUrlSuccess;
  }
  return OpenUrlWithHtmlHandler(url);
}

std::string HyperlinkErrorText(int code) {
  switch (code) {
    case 0: return "The operating system is out\nof memory or resources.";
    case 2: return "The specified file was not found.";
    case 3: return "The specified path was not found.";
    case 5: return "The operating system denied\naccess to the specified file.";
    case 8: return "There was not enough memory to complete the operation.";
    case 11: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26: return "A sharing violation occurred. ";
    case 27: return "The filename association is\nincomplete or invalid.";
    case 28: return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29: return "The DDE transaction failed.";
    case 30:
      return "The DDE transaction could not\nbe completed because other DDE transactions\n"
             "were being processed.";
    case 31: return "There is no application associated\nwith the given filename extension.";
    case 32: return "The specified dynamic-link library was not found.";
    default: return "Unknown Error (" + std::to_string(code) + ") occurred.";
  }
}

std::string AboutPageUrl() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  const fs::path dir = ec ? fs::path() : exe.parent_path();
  auto isFile = [](const fs::path& p) {
    std::error_code e;
    return fs::is_regular_file(p, e);
  };
  // Beside the program (the build folder), then under the program's own install prefix
  // (<prefix>/bin/pelavo and <prefix>/share/pelavo/about.html), then the system places.
  std::vector<fs::path> candidates{dir / kAboutPageName,
                                   dir.parent_path() / "share" / "pelavo" / kAboutPageName};
  for (const char* installed : kInstalledAboutPages) candidates.emplace_back(installed);
  std::string page = candidates.front().string();
  for (const fs::path& candidate : candidates)
    if (isFile(candidate)) {
      page = candidate.string();
      break;
    }
  return "file://" + percentEncodePath(page);
}

}  // namespace platform
