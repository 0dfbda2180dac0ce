#pragma once
#include <optional>
#include <string>
#include <string_view>

// What the command line asks the program to do. Started without arguments the program opens
// its own full-screen window; with --desktop it opens its window as the desktop's background,
// below every other window; with --root, --window-id or a screensaver-provided window it
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
  bool desktop = false;        // kWindow: the window is the desktop's background
  int fps = 0;                 // kWindow: at most this many frames a second; 0: the default
  std::string error;           // kError: what was wrong
};

// The environment variable through which a screensaver daemon names the window to draw in.
inline constexpr const char* kSaverWindowVariable = "XSCREENSAVER_WINDOW";

// A window id in decimal or in 0x hexadecimal; nothing for an empty, malformed, zero or
// out-of-range text.
std::optional<unsigned long> ParseWindowId(std::string_view text);

// The frame rates --fps accepts.
inline constexpr int kMinFps = 1;
inline constexpr int kMaxFps = 240;
// The desktop background's frame rate when --fps is not given.
inline constexpr int kDesktopDefaultFps = 30;

// At most how many frames a second the window draws: --fps, else 30 for the desktop
// background; 0 for the full-screen window without --fps (the display's pace).
int FrameRateCap(const LaunchOptions& options);

// Reads the options. saverWindow is the value of kSaverWindowVariable (nullptr when unset).
// An explicit --window-id wins over the variable, the variable over --root.
LaunchOptions ParseCommandLine(int argc, const char* const* argv, const char* saverWindow);

// The usage text printed by --help and after a command-line error.
std::string UsageText();

}  // namespace app
