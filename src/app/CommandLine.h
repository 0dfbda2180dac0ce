#pragma once
#include <optional>
#include <string>
#include <string_view>

// What the command line asks the program to do. Started without arguments the program opens
// its own full-screen window; with --root, --window-id or a screensaver-provided window it
// draws the tank into a window that someone else owns.
namespace app {

enum class LaunchKind {
  kWindow,       // the normal program: its own frame, menu and dialogs
  kScreensaver,  // draw into a foreign window (or the root window) until told to stop
  kHelp,         // print the usage and leave with code 0
  kVersion,      // print the version and leave with code 0
  kError,        // print the error and the usage and leave with code 2
};

struct LaunchOptions {
  LaunchKind kind = LaunchKind::kWindow;
  bool rootWindow = false;     // screensaver mode: draw into the root window
  unsigned long windowId = 0;  // screensaver mode: the window to draw into (when not root)
  std::string display;         // X display name; empty: $DISPLAY
  std::string error;           // kError: what was wrong
};

// The environment variable through which a screensaver daemon names the window to draw in.
inline constexpr const char* kSaverWindowVariable = "XSCREENSAVER_WINDOW";

// A window id in decimal or in 0x hexadecimal; nothing for an empty, malformed, zero or
// out-of-range text.
std::optional<unsigned long> ParseWindowId(std::string_view text);

// Reads the options. saverWindow is the value of kSaverWindowVariable (nullptr when unset).
// An explicit --window-id wins over the variable, the variable over --root.
LaunchOptions ParseCommandLine(int argc, const char* const* argv, const char* saverWindow);

// The usage text printed by --help and after a command-line error.
std::string UsageText();

}  // namespace app
