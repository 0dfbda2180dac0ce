#pragma once
#include <chrono>

// The tank's time: simulation steps of 1/60 s of wall-clock time, whatever the display's
// refresh and however long a frame takes to draw. A frame asks how many steps are due.
//   - A display at 60 Hz, within a few per cent, locks to exactly one step every frame, so
//     timing jitter never turns into uneven 0-2-0 patterns. A frame far off the interval (a
//     late one, a new rate) unlocks it, and the time it took is paid as below. Only 60 Hz
//     locks: frames that take longer are seldom held to a refresh, and a lock at two or
//     three steps would let frames that vary run the tank fast.
//   - Otherwise the time since the last frame is owed and paid in whole steps, rounded to the
//     nearest: on faster displays many frames get no step, on slower ones some get two. The
//     rounding keeps frame-to-frame jitter of a few milliseconds from moving a step from one
//     frame to the next (30 Hz gets two steps every frame, 20 Hz three).
//   - At most kMaxStepsPerFrame steps a frame: where frames are slower still, the tank slows
//     down instead of jumping, and the backlog is dropped.
//   - A frame long after the last (held frames: a minimised or covered window, a compositor
//     that sent no callbacks, a suspended machine, a debugger) runs one step and goes on from
//     there: no time accrues while frames are held. The first frame runs one step too.
namespace view {

inline constexpr std::chrono::nanoseconds kStepLength{16'666'667};  // 1/60 s
inline constexpr int kMaxStepsPerFrame = 4;
// A frame interval this far (as a fraction) from one step locks to it...
inline constexpr double kLockTolerance = 0.05;
// ...and a locked interval that drifts this far from it unlocks again.
inline constexpr double kUnlockTolerance = 0.08;
// Intervals seen before the clock may lock, so that its estimate means something.
inline constexpr int kIntervalsBeforeLock = 4;
// An interval this far (as a fraction) from the estimate starts the estimate anew.
inline constexpr double kEstimateRestart = 0.35;
// Weight of each new interval in the running estimate (after the first few, which average).
inline constexpr double kIntervalSmoothing = 0.05;
// A frame later than this after the previous one comes after a pause.
inline constexpr std::chrono::milliseconds kPauseGap{250};

class StepClock {
 public:
  using Clock = std::chrono::steady_clock;

  // The steps due for a frame that begins at `now` (0 to kMaxStepsPerFrame).
  int StepsFor(Clock::time_point now);
  // Frames are held: the next frame starts the count afresh, with one step.
  void Hold() { running_ = false; }

  // 1 while frames are locked to one step each, 0 when the clock pays by time owed.
  int LockedSteps() const { return locked_; }
  // The running estimate of the frame interval in seconds (0 before two frames).
  double MeanInterval() const { return mean_; }

 private:
  int Locked(double tolerance) const;

  bool running_ = false;
  Clock::time_point last_{};
  double mean_ = 0.0;   // seconds
  int intervals_ = 0;   // intervals in the estimate
  double owed_ = 0.0;   // seconds not yet paid in steps (may be negative: paid early)
  int locked_ = 0;
};

}  // namespace view
