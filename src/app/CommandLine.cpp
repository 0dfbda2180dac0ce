#include "app/CommandLine.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace app {
namespace {

// Both the long GNU spelling and the single-dash spelling screensaver daemons use.
bool IsOption(std::string_view arg, std::string_view name) {
  return arg == std::string("--").append(name) || arg == std::string("-").append(name);
}

// "--name=value" (or "-name=value"): the value; nothing when arg is not that option.
std::optional<std::string_view> InlineValue(std::string_view arg, std::string_view name) {
  for (std::string_view dashes : {"--", "-"}) {
    const std::string prefix = std::string(dashes).append(name).append("=");
    if (arg.substr(0, prefix.size()) == prefix) return arg.substr(prefix.size());
  }
  return std::nullopt;
}

// A whole number of frames a second in kMinFps..kMaxFps; 0 for anything else.
int ParseFps(std::string_view text) {
  if (text.empty() || text.size() > 3) return 0;
  int value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    value = value * 10 + (c - '0');
  }
  return value >= kMinFps && value <= kMaxFps ? value : 0;
}

LaunchOptions Error(std::string message) {
  LaunchOptions o;
  o.kind = LaunchKind::kError;
  o.error = std::move(message);
  return o;
}

}  // namespace

std::optional<unsigned long> ParseWindowId(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int base = 10;
  std::string_view digits = text;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    digits = text.substr(2);
  }
  for (char c : digits) {
    const bool ok = base == 16 ? std::isxdigit(static_cast<unsigned char>(c))
                               : std::isdigit(static_cast<unsigned char>(c));
    if (!ok) return std::nullopt;
  }
  const std::string copy(digits);
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(copy.c_str(), &end, base);
  // X resource ids are 29-bit values; anything wider is not a window.
  constexpr unsigned long long kMaxXid = 0x1FFFFFFFull;
  if (errno != 0 || end == copy.c_str() || *end != '\0' || value == 0 || value > kMaxXid)
    return std::nullopt;
  return static_cast<unsigned long>(value);
}

LaunchOptions ParseCommandLine(int argc, const char* const* argv, const char* saverWindow) {
  LaunchOptions o;
  bool wantRoot = false;
  std::optional<unsigned long> explicitId;

  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] ? argv[i] : "";
    // An option that takes a value, given as "--opt value" or "--opt=value".
    auto valueOf = [&](std::string_view name, std::string_view& value) -> int {
      if (auto v = InlineValue(arg, name)) {
        value = *v;
        return 1;
      }
      if (!IsOption(arg, name)) return 0;
      if (i + 1 >= argc || !argv[i + 1]) return -1;
      value = argv[++i];
      return 1;
    };
    std::string_view value;
    if (arg == "--help" || arg == "-h" || IsOption(arg, "help")) {
      LaunchOptions help;
      help.kind = LaunchKind::kHelp;
      return help;
    }
    if (IsOption(arg, "version")) {
      LaunchOptions version;
      version.kind = LaunchKind::kVersion;
      return version;
    }
    if (IsOption(arg, "root")) {
      wantRoot = true;
      continue;
    }
    if (const int r = valueOf("window-id", value); r != 0) {
      if (r < 0) return Error("option " + std::string(arg) + " needs a window id");
      explicitId = ParseWindowId(value);
      if (!explicitId) return Error("not a window id: '" + std::string(value) + "'");
      continue;
    }
    if (IsOption(arg, "desktop")) {
      o.desktop = true;
      continue;
    }
    if (const int r = valueOf("fps", value); r != 0) {
      if (r < 0) return Error("option --fps needs a number of frames a second");
      o.fps = ParseFps(value);
      if (o.fps == 0)
        return Error("--fps takes " + std::to_string(kMinFps) + " to " + std::to_string(kMaxFps) +
                     " frames a second, not '" + std::string(value) + "'");
      continue;
    }
    if (const int r = valueOf("display", value); r != 0) {
      if (r < 0 || value.empty()) return Error("option --display needs a display name");
      o.display = std::string(value);
      continue;
    }
    return Error("unknown option: '" + std::string(arg) + "'");
  }

  // The background is a window of the program's own: never a foreign one, so a screensaver
  // daemon's variable does not turn it into screensaver mode.
  if (o.desktop) {
    if (wantRoot || explicitId) return Error("--desktop cannot be combined with --root or --window-id");
    return o;
  }
  const std::optional<unsigned long> envId =
      saverWindow ? ParseWindowId(saverWindow) : std::nullopt;
  if (explicitId) {
    o.kind = LaunchKind::kScreensaver;
    o.windowId = *explicitId;
  } else if (envId) {
    o.kind = LaunchKind::kScreensaver;
    o.windowId = *envId;
  } else if (wantRoot) {
    o.kind = LaunchKind::kScreensaver;
    o.rootWindow = true;
  }
  if (o.kind == LaunchKind::kScreensaver && o.fps != 0)
    return Error("--fps works with the tank's own window, not in screensaver mode");
  return o;
}

int FrameRateCap(const LaunchOptions& options) {
  if (options.fps != 0) return options.fps;
  return options.desktop ? kDesktopDefaultFps : 0;
}

std::string UsageText() {
  return "Usage: pelavo [--desktop] [--fps N] [--display NAME]\n"
         "       pelavo --root | --window-id ID [--display NAME]\n"
         "       pelavo --help | --version\n"
         "\n"
         "Without options the tank opens full screen in its own window.\n"
         "  --desktop         show the tank as the desktop background, behind every window\n"
         "                    (no sound until Custom Music turns it on; 30 frames a second)\n"
         "  --fps N           draw at most N frames a second (1 to 240)\n"
         "  --root            draw the tank into the root window (screensaver mode)\n"
         "  --window-id ID    draw the tank into window ID, decimal or 0x hexadecimal\n"
         "  --display NAME    the X display to use instead of $DISPLAY\n"
         "  --help            show this text\n"
         "  --version         show the version\n"
         "In screensaver mode the window named by $XSCREENSAVER_WINDOW is used when set;\n"
         "SIGTERM or SIGINT ends the program.\n";
}

}  // namespace app
