#pragma once
#include <chrono>

// Keeps frames to the display's pace where the platform does not pace them itself: a
// tick that comes less than one refresh interval after the previous frame *began* waits for
// the rest of the interval instead of drawing. A frame that took longer than the interval
// is followed by the next at once; where something else already holds frames to the refresh
// (the toolkit's frame clock, which paces paints, or a buffer swap that waits for the
// refresh), nothing is added at all.
namespace view {

inline constexpr std::chrono::microseconds kFrameInterval{16667};  // 1/60 s
// While the window cannot be seen, the tick only looks whether it can be seen again this often.
inline constexpr std::chrono::milliseconds kHiddenPollInterval{250};

class FramePacer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit FramePacer(std::chrono::microseconds interval = kFrameInterval)
      : interval_(interval) {}

  // How long a tick at `now` has to wait before a frame may be drawn; zero: draw now.
  // Waits are rounded up to whole milliseconds (the timer's resolution), at least 1.
  std::chrono::milliseconds WaitBeforeFrame(Clock::time_point now) const {
    if (!haveFrame_ || displayPaces_) return std::chrono::milliseconds(0);
    const auto elapsed = now - lastFrame_;
    if (elapsed >= interval_) return std::chrono::milliseconds(0);
    const auto rest = interval_ - elapsed;
    auto ms = std::chrono::ceil<std::chrono::milliseconds>(rest);
    if (ms.count() < 1) ms = std::chrono::milliseconds(1);
    return ms;
  }

  // Called as a frame begins: the next one may begin one interval later.
  void FrameStarted(Clock::time_point now) {
    lastFrame_ = now;
    haveFrame_ = true;
  }

  // Frames are already held to the refresh elsewhere: no wait of our own.
  void SetDisplayPaces(bool paces) { displayPaces_ = paces; }
  bool DisplayPaces() const { return displayPaces_; }

 private:
  std::chrono::microseconds interval_;
  bool displayPaces_ = false;
  Clock::time_point lastFrame_{};
  bool haveFrame_ = false;
};

// Why the window cannot be seen. While any reason holds no frame is drawn and the tick
// slows to kHiddenPollInterval; the tank's time stops meanwhile (the frame driver is held).
class HiddenReasons {
 public:
  enum Reason : unsigned {
    kIconized = 1u << 0,  // minimised by the user or the window manager
    kUnmapped = 1u << 1,  // the window or one of its ancestors is not mapped
    kObscured = 1u << 2,  // another window covers it completely
    kNoPaint = 1u << 3,   // a requested repaint never came (the toolkit does not draw it)
    kNotShown = 1u << 4,  // the program hid its own window
  };

  // Sets or clears one reason; true when that turned the window from hidden to visible.
  bool Set(Reason reason, bool holds) {
    const bool wasHidden = Hidden();
    bits_ = holds ? (bits_ | reason) : (bits_ & ~static_cast<unsigned>(reason));
    return wasHidden && !Hidden();
  }
  bool Has(Reason reason) const { return (bits_ & reason) != 0; }
  bool Hidden() const { return bits_ != 0; }
  // Only the toolkit's silence says it is hidden: a repaint request is the way to find out
  // whether it draws again.
  bool OnlyNoPaint() const { return bits_ == kNoPaint; }

 private:
  unsigned bits_ = 0;
};

}  // namespace view
