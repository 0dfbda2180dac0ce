#pragma once
#include "app/CommandLine.h"

// Screensaver mode: the tank drawn into a window the program does not own (the root window or
// one named by id) through GLX, without frame, menu, dialogs, cursors or instance markers. It
// follows the window's size, pauses while the window is fully covered or unmapped and ends
// with code 0 on SIGTERM or SIGINT, or when the window is destroyed.
namespace app {

// Runs until asked to stop; returns the process exit code (1 when the display or the window
// cannot be used).
int RunScreensaver(const LaunchOptions& options);

}  // namespace app
