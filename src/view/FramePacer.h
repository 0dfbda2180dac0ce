#pragma once
#include <chrono>

// Keeps frames to the display's pace where the platform does not pace them itself: a
// tick that comes less than one refresh interval after the previous frame waits for the
// rest of the interval instead of drawing.
namespace view {

inline constexpr std::chrono::microseconds kFrameInterval{16667};  // 1/60 s

class FramePacer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit FramePacer(std::chrono::microseconds interval = kFrameInterval)
      : interval_(interval) {}

  // How long a tick at `now` has to wait before a frame may be drawn; zero: draw now.
  // Waits are rounded up to whole milliseconds (the timer's resolution), at least 1.
  std::chrono::milliseconds WaitBeforeFrame(Clock::time_point now) const {
    if (!haveFrame_) return std::chrono::milliseconds(0);
    const auto elapsed = now - lastFrame_;
    if (elapsed >= interval_) return std::chrono::milliseconds(0);
    const auto rest = interval_ - elapsed;
    auto ms = std::chrono::ceil<std::chrono::milliseconds>(rest);
    if (ms.count() < 1) ms = std::chrono::milliseconds(1);
    return ms;
  }

  void FrameDrawn(Clock::time_point now) {
    lastFrame_ = now;
    haveFrame_ = true;
  }

 private:
  std::chrono::microseconds interval_;
  Clock::time_point lastFrame_{};
  bool haveFrame_ = false;
};

}  // namespace view
