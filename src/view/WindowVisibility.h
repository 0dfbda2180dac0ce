#pragma once

// Watches, on a display connection of its own, whether an X window can be seen: the window
// and all its ancestors mapped, and the window not completely covered by others. The
// toolkit keeps drawing a covered window and reports no unmapping of ancestors it does not
// own; this tells the frame loop when drawing is wasted.
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

  // Reads the events that arrived since the last call; true when the state changed.
  bool Poll();

  bool Unmapped() const { return unmappedMask_ != 0; }
  bool Obscured() const { return obscured_; }
  bool Watching() const { return display_ != nullptr; }

 private:
  static constexpr int kMaxWatched = 16;  // the window and its ancestors below the root

  void* display_ = nullptr;  // Display*, kept opaque so users need no X headers
  unsigned long window_ = 0;
  unsigned long watched_[kMaxWatched] = {};
  int watchedCount_ = 0;
  unsigned unmappedMask_ = 0;  // bit i: watched_[i] is unmapped
  bool obscured_ = false;
};

}  // namespace view
