#pragma once

// Watches, on a display connection of its own, whether an X window can be seen: the window
// and all its ancestors mapped, and the window not completely covered by others. The
// toolkit keeps drawing a covered window and reports no unmapping of ancestors it does not
// own; this tells the frame loop when drawing is wasted. Under a compositing window manager
// the server never reports a window as covered (each window draws into a buffer of its
// own); where asked, the window manager's stacking order is read as well, and the window
// counts as covered while one window above it covers it whole.
#include <chrono>

namespace view {

class WindowVisibility {
 public:
  WindowVisibility() = default;
  ~WindowVisibility();
  WindowVisibility(const WindowVisibility&) = delete;
  WindowVisibility& operator=(const WindowVisibility&) = delete;

  // Starts watching the window (an X window id). False when there is no X display (for
  // example under Wayland) or the window is unknown; the state then stays "visible".
  bool Watch(unsigned long window);
  void Stop();

  // Also read the window manager's stacking order (at most every kStackingInterval).
  void CheckStacking(bool check) { checkStacking_ = check; }

  // Reads the events that arrived since the last call; true when the state changed.
  bool Poll();

  bool Unmapped() const { return unmappedMask_ != 0; }
  bool Obscured() const { return obscured_ || coveredInStack_; }
  bool Watching() const { return display_ != nullptr; }

 private:
  static constexpr int kMaxWatched = 16;  // the window and its ancestors below the root

  void* display_ = nullptr;  // Display*, kept opaque so users need no X headers
  unsigned long window_ = 0;
  unsigned long watched_[kMaxWatched] = {};
  int watchedCount_ = 0;
  unsigned unmappedMask_ = 0;  // bit i: watched_[i] is unmapped
  bool obscured_ = false;
  static constexpr std::chrono::milliseconds kStackingInterval{250};
  // A window above ours in _NET_CLIENT_LIST_STACKING covers it whole.
  bool CoveredInStack();
  bool checkStacking_ = false;
  bool coveredInStack_ = false;
  std::chrono::steady_clock::time_point stackReadAt_{};
};

}  // namespace view
