#pragma once

// The user's commands: the popup menu sends them to the view, which stores each one as
// its interaction mode or runs it.
enum CommandId : int {
  kCmdAddDeleteFish = 1034,
  kCmdTouch = 1035,
  kCmdFeed = 1036,  // the initial mode
  kCmdZoomIn = 1037,
  kCmdZoomOut = 1038,
  kCmdExit = 1042,
  kCmdCustomMusic = 1050,
  kCmdCustomBackground = 1052,
  kCmdStartWithSession = 1060,  // the desktop background's menu: start it at log-in or not
};
