#pragma once
#include <algorithm>
#include <chrono>

// At most a given number of frames a second, on a steady cadence: each frame may begin one
// interval after the time the previous one was due, not after it actually began, so a frame
// that the display's own pace made a little late does not make every later frame late too
// (on a 60 Hz display a cap of 30 then draws every second refresh, not every third). A frame
// that is more than a whole interval late starts a new cadence, so no backlog is caught up,
// and two frames are never closer than half an interval.
namespace view {

class RateCap {
 public:
  using Clock = std::chrono::steady_clock;

  // framesPerSecond 0: no cap.
  explicit RateCap(int framesPerSecond = 0) { SetRate(framesPerSecond); }

  void SetRate(int framesPerSecond) {
    interval_ = framesPerSecond > 0 ? std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::seconds(1)) /
                                          framesPerSecond
                                    : Clock::duration::zero();
    haveFrame_ = false;
  }
  bool Limits() const { return interval_ > Clock::duration::zero(); }
  Clock::duration Interval() const { return interval_; }

  // How long a frame at `now` has to wait; zero: it may begin. Rounded up to whole
  // milliseconds (the timer's resolution), at least 1.
  std::chrono::milliseconds Wait(Clock::time_point now) const {
    if (!Limits() || !haveFrame_ || now >= due_) return std::chrono::milliseconds(0);
    return std::chrono::ceil<std::chrono::milliseconds>(due_ - now);
  }

  // A frame begins at `now`.
  void FrameStarted(Clock::time_point now) {
    if (!Limits()) return;
    const bool onCadence = haveFrame_ && now >= due_ && now - due_ < interval_;
    // On the cadence, but never sooner than half an interval after this frame.
    due_ = onCadence ? std::max(due_ + interval_, now + interval_ / 2) : now + interval_;
    haveFrame_ = true;
  }

 private:
  Clock::duration interval_{};
  Clock::time_point due_{};
  bool haveFrame_ = false;
};

}  // namespace view
